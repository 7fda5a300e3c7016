#!/usr/bin/env bash
# Frames a second as Mesa's own HUD counts them (GALLIUM_HUD=fps, dumped
# every half second), for a window that only clears and swaps, the same with
# one full-window textured quad, and each game given replaying the recorded
# runs of levels 1 to 3 with every pass drawn (a replay does not sleep).
# Games and yardsticks take turns within each round, so that the load of
# other users falls on all alike. Prints each run's median, then a table of
# the medians over the runs.
# Usage: bench/frame_rate.sh TOOLS RUNS GAME [GAME...]
#   TOOLS: the directory of bare_window and picture_window (build/bench);
#   each GAME is a glimmet program, its data the nearest directory above it
#   holding resources/ (a copy of an older build with its resources works).
# FRAME_RATE_SECONDS (default 12) is how long the yardsticks run; a replay
# runs to its end, or for FRAME_RATE_REPLAY_SECONDS when that is set (on a
# busy machine a whole replay may take minutes).
set -euo pipefail
TOOLS=$1 RUNS=$2
shift 2
source "$(dirname "$0")/startup/common.sh"
own_display "$0" "$TOOLS" "$RUNS" "$@"
REPLAYS=$(cd "$(dirname "$0")/../tests/replays" && pwd)
SECONDS_EACH=${FRAME_RATE_SECONDS:-12}
REPLAY_SECONDS=${FRAME_RATE_REPLAY_SECONDS:-600}
OUT=$(mktemp)
HUD=$(mktemp -d)
trap 'rm -rf "$OUT" "$HUD"' EXIT

# The median of the HUD's readings of the command run with the rest of the arguments.
hud_median() {
  rm -f "$HUD"/*
  GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$HUD" "$@" >/dev/null 2>&1 || true
  sort -n "$HUD/fps" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

measure() {
  local key=$1
  shift
  local fps
  fps=$(hud_median "$@")
  echo "$key $fps" | tee -a "$OUT"
}

echo "load: $(uptime)"
for run in $(seq 1 "$RUNS"); do
  measure clear "$TOOLS/bare_window" 158 199 230 "$SECONDS_EACH" 0
  measure quad "$TOOLS/picture_window" "$SECONDS_EACH" 0
  for level in 1 2 3; do
    n=0
    for game in "$@"; do
      n=$((n + 1))
      measure "game$n.level$level" timeout "$REPLAY_SECONDS" "$(cd "$(dirname "$game")" && pwd)/$(basename "$game")" \
        --data "$(data_of "$game")" --no-records --replay "$REPLAYS/level$level.replay"
    done
  done
done
echo "load: $(uptime)"

echo
echo "| program | median fps of $RUNS runs |"
echo "|---|---|"
echo "| a window that only clears and swaps | $(column_median "$OUT" clear 2) |"
echo "| the same plus one full-window textured quad | $(column_median "$OUT" quad 2) |"
for level in 1 2 3; do
  n=0
  for game in "$@"; do
    n=$((n + 1))
    echo "| $game replaying level $level | $(column_median "$OUT" "game$n.level$level" 2) |"
  done
done
