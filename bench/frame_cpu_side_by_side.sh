#!/usr/bin/env bash
# Processor time per drawn frame of two games replaying the same level at
# the same time, each in its own Xvfb display. This machine's speed drifts
# by a third within minutes (the same build replays level 1 at 40 fps and
# then at 64), so games measured in turn differ by more than most changes
# do; two games run side by side meet the same drift, and their processor
# time per frame compares them to a few per cent. Each then has about one
# core, so its frames a second are not the game's alone: read the ratio.
# Prints each round (frames a second, ms per frame of the game's thread
# and of llvmpipe's rasterisers together, and their sum), then the medians
# and the second game's sum against the first's.
# Usage: bench/frame_cpu_side_by_side.sh LEVEL RUNS GAME_A GAME_B
#   each GAME's data is the nearest directory above it holding resources/
#   (a copy of build/glimmet beside changed shaders measures the shaders).
# FRAME_CPU_FROM and FRAME_CPU_TO (default 4 and 12) are the two moments, in
# seconds after the games start.
set -euo pipefail
LEVEL=$1 RUNS=$2 GAME_A=$3 GAME_B=$4
source "$(dirname "$0")/startup/common.sh"
REPLAY=$(cd "$(dirname "$0")/../tests/replays" && pwd)/level$LEVEL.replay
FROM=${FRAME_CPU_FROM:-4}
TO=${FRAME_CPU_TO:-12}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# One game's figures between FROM and TO, run inside its own display: the
# processor ticks of each of its threads at both moments, and the frames
# Mesa's HUD counted in between.
one_game() {
  local game=$1 out=$2 hud
  hud=$(mktemp -d)
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    hud=$1 game=$2 data=$3 replay=$4 from=$5 to=$6
    GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR=$hud ALSOFT_DRIVERS=null \
      "$game" --data "$data" --no-records --replay "$replay" >/dev/null 2>&1 &
    pid=$!
    ticks() { for t in /proc/$pid/task/*; do echo "$(tr " " _ < $t/comm) $(cut -d")" -f2 $t/stat | awk "{ print \$12 + \$13 }")"; done; }
    frames() { awk "{ s += \$1 * 0.5 } END { print s + 0 }" $hud/fps; }
    sleep "$from"; ticks > $hud/a; echo "frames $(frames)" >> $hud/a
    sleep $((to - from)); ticks > $hud/b; echo "frames $(frames)" >> $hud/b
    kill $pid; wait $pid 2>/dev/null || true
    cat $hud/a | sed "s/^/a /"; cat $hud/b | sed "s/^/b /"' _ \
    "$hud" "$game" "$(data_of "$game")" "$REPLAY" "$FROM" "$TO" > "$out" 2>/dev/null || true
  rm -rf "$hud"
}

# Frames a second, and ms per frame of the game's thread, of the
# rasterisers and of both, from one game's figures.
per_frame() {
  awk -v seconds=$((TO - FROM)) -v tick="$(getconf CLK_TCK)" '
    $2 == "frames" { f[$1] = $3; next }
    { t[$1, $2] += $3; names[$2] = 1 }
    END {
      n = f["b"] - f["a"]
      for (k in names) {
        ms = (t["b", k] - t["a", k]) * 1000 / tick / n
        if (k == "glimmet") game += ms; else if (k ~ /^llvmpipe/) raster += ms
      }
      printf "%.1f %.2f %.2f %.2f\n", n / seconds, game, raster, game + raster
    }' "$1"
}

echo "load: $(uptime)"
echo "round: game fps, game's thread ms, rasterisers ms, both ms per frame"
for _ in $(seq 1 "$RUNS"); do
  one_game "$GAME_A" "$WORK/a" &
  one_game "$GAME_B" "$WORK/b" &
  wait
  echo "a $(per_frame "$WORK/a")" | tee -a "$WORK/rounds"
  echo "b $(per_frame "$WORK/b")" | tee -a "$WORK/rounds"
done
echo "load: $(uptime)"
A=$(column_median "$WORK/rounds" a 5)
B=$(column_median "$WORK/rounds" b 5)
echo "median ms per frame, game's thread and rasterisers together: $GAME_A $A, $GAME_B $B, ratio $(ratio "$B" "$A")"
