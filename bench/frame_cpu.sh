#!/usr/bin/env bash
# Processor time per drawn frame: each game given replays the recorded runs
# of levels 1 to 3, and between two moments of each replay (the start, with
# its loads and shader compiles, left out) the game's processor time, all
# its threads and llvmpipe's among them, is divided by the frames Mesa's HUD
# counted in between. Other users' load slows the frames but adds little to
# their processor time, so this compares two builds on a busy machine where
# frames a second cannot. Games take turns within each round. Prints each
# run, then a table of the medians over the runs.
# Usage: bench/frame_cpu.sh RUNS GAME [GAME...]
#   each GAME's data is the nearest directory above it holding resources/.
# FRAME_CPU_FROM and FRAME_CPU_TO (default 8 and 28) are the two moments, in
# seconds after the game starts.
set -euo pipefail
RUNS=$1
shift
source "$(dirname "$0")/startup/common.sh"
own_display "$0" "$RUNS" "$@"
REPLAYS=$(cd "$(dirname "$0")/../tests/replays" && pwd)
FROM=${FRAME_CPU_FROM:-8}
TO=${FRAME_CPU_TO:-28}
TICKS=$(getconf CLK_TCK)
OUT=$(mktemp)
HUD=$(mktemp -d)
trap 'rm -rf "$OUT" "$HUD"' EXIT

# The game's processor ticks so far and the frames the HUD has counted
# (one reading of frames a second every half second).
reading() {
  echo "$(awk '{ print $14 + $15 }' "/proc/$1/stat") $(awk '{ s += $1 * 0.5 } END { print s + 0 }' "$HUD/fps" 2>/dev/null || echo 0)"
}

# Processor ms per frame of one replay between FROM and TO.
measure() {
  local key=$1 game=$2 level=$3 pid ticks0 frames0 ticks1 frames1
  rm -f "$HUD"/*
  GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="$HUD" "$game" --data "$(data_of "$game")" --no-records \
    --replay "$REPLAYS/level$level.replay" >/dev/null 2>&1 &
  pid=$!
  sleep "$FROM"
  read -r ticks0 frames0 < <(reading "$pid")
  sleep $((TO - FROM))
  read -r ticks1 frames1 < <(reading "$pid")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v k="$key" -v t="$TICKS" -v a="$ticks0" -v b="$ticks1" -v f="$frames0" -v g="$frames1" \
    'BEGIN { printf "%s %.1f %d\n", k, (b - a) * 1000 / t / (g - f), g - f }' | tee -a "$OUT"
}

echo "load: $(uptime)"
for run in $(seq 1 "$RUNS"); do
  for level in 1 2 3; do
    n=0
    for game in "$@"; do
      n=$((n + 1))
      measure "game$n.level$level" "$(cd "$(dirname "$game")" && pwd)/$(basename "$game")" "$level"
    done
  done
done
echo "load: $(uptime)"

echo
echo "| program | median processor ms per frame of $RUNS runs |"
echo "|---|---|"
for level in 1 2 3; do
  n=0
  for game in "$@"; do
    n=$((n + 1))
    echo "| $game replaying level $level | $(column_median "$OUT" "game$n.level$level" 2) |"
  done
done
