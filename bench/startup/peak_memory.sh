#!/usr/bin/env bash
# Peak memory (maximum resident set) of the game ($1) from its title through
# levels 1, 2 and 3 (F1 ends a level, Enter goes on), against the bare
# window and the picture window with sound (from the tools in $2),
# alternating for $3 runs in one Xvfb display.
# Run from the repository root.
set -euo pipefail
GAME=$1 TOOLS=$2 RUNS=${3:-5}
source "$(dirname "$0")/common.sh"
own_display "$0" "$@"
OUT=$(mktemp)
trap 'rm -f "$OUT"' EXIT
for _ in $(seq 1 "$RUNS"); do
  /usr/bin/time -f "game %M" -a -o "$OUT" "$GAME" >/dev/null 2>&1 &
  sleep 3
  # GLFW takes keys only from the focused window.
  xdotool search --sync --name '^Glimmet$' windowfocus --sync
  # Escape on level 3's end screen quits: Enter there would go on to level 4.
  for key in Return F1 Return F1 Return F1 Escape; do
    sleep 2
    xdotool key "$key"
  done
  wait
  /usr/bin/time -f "bare %M" -a -o "$OUT" "$TOOLS/bare_window" 255 248 236 3 >/dev/null 2>&1
  /usr/bin/time -f "picture %M" -a -o "$OUT" "$TOOLS/picture_window" 3 >/dev/null 2>&1
done
cat "$OUT"
GAME_KB=$(column_median "$OUT" game 2)
BARE_KB=$(column_median "$OUT" bare 2)
PICTURE_KB=$(column_median "$OUT" picture 2)
echo "peak memory, MB (median of $RUNS): game $((GAME_KB / 1024)), bare window $((BARE_KB / 1024)), ratio $(ratio "$GAME_KB" "$BARE_KB"); picture window with sound $((PICTURE_KB / 1024)), ratio $(ratio "$PICTURE_KB" "$BARE_KB")"
