#!/usr/bin/env bash
# Start to title: the game ($1) against a bare window (from the tools in
# $2), alternating for $3 runs in one Xvfb display, so that the machine's
# load falls on both alike. Prints each run, then the medians and ratios of
# wall time and of processor time. Run from the repository root.
# "game" starts as a player's every start after the first does, with the
# shader programs kept from the run before; "first" as the very first start,
# with empty caches (the game's kept programs and the driver's own cache
# both live under XDG_CACHE_HOME).
set -euo pipefail
GAME=$1 TOOLS=$2 RUNS=${3:-7}
source "$(dirname "$0")/common.sh"
own_display "$0" "$@"
# The colour at the centre of the title picture (resources/textures/start.tga).
TITLE="255 248 236"
OUT=$(mktemp)
EMPTY=$(mktemp -d)
trap 'rm -rf "$OUT" "$EMPTY"' EXIT
# One start to fill the caches, not counted.
"$TOOLS/title_watch" $TITLE "$GAME" >/dev/null
for run in $(seq 1 "$RUNS"); do
  echo "game $("$TOOLS/title_watch" $TITLE "$GAME")" | tee -a "$OUT"
  echo "first $(XDG_CACHE_HOME="$EMPTY/$run" "$TOOLS/title_watch" $TITLE "$GAME")" | tee -a "$OUT"
  echo "bare $("$TOOLS/title_watch" $TITLE "$TOOLS/bare_window" $TITLE)" | tee -a "$OUT"
done
for column in 2 3; do
  GAME_MS=$(column_median "$OUT" game "$column")
  FIRST_MS=$(column_median "$OUT" first "$column")
  BARE_MS=$(column_median "$OUT" bare "$column")
  echo "start to title, $([ "$column" = 2 ] && echo wall || echo cpu) ms (median of $RUNS):" \
    "game $GAME_MS, bare window $BARE_MS, ratio $(ratio "$GAME_MS" "$BARE_MS");" \
    "first start $FIRST_MS, ratio $(ratio "$FIRST_MS" "$BARE_MS")"
done
