#!/usr/bin/env bash
# Dies and restarts level 1 many times (50 unless a number is given) in a
# real window under Xvfb and prints the game's memory after each restart,
# to show that a restart gives back what the level took.
#   tools/soak.sh [cycles] [game binary, build/glimmet by default]
# Needs xvfb-run and xdotool (tools/setup.sh); each cycle rolls off the
# ledge as the end-to-end test of a fall and a restart does. Fails when a
# cycle does not reach its death or its restart.
set -u
cd "$(dirname "$0")/.."
CYCLES=${1:-50}
export GLIMMET_SOAK_GAME=${2:-build/glimmet}
source tests/e2e/lib.sh
own_display "$CYCLES" "$GLIMMET_SOAK_GAME"

memory() {
  awk '/^VmRSS:/ { print $2 }' "/proc/$PID/status"
}

launch_game "$GLIMMET_SOAK_GAME" --level 1 $SMALL_WINDOW
player_position >/dev/null || exit 1
START=$(memory)
echo "soak: start     $START kB"
FIRST=""
for cycle in $(seq 1 "$CYCLES"); do
  fall_off_ledge "$cycle" "cycle $cycle"
  position_after Return >/dev/null || exit 1
  NOW=$(memory)
  FIRST=${FIRST:-$NOW}
  printf 'soak: cycle %3d %s kB\n' "$cycle" "$NOW"
done
awk -v first="$FIRST" -v last="$NOW" -v cycles="$CYCLES" 'BEGIN {
  per = cycles > 1 ? (last - first) / (cycles - 1) : 0
  printf "soak: %d cycles, after the first restart %d kB, after the last %d kB, %.0f kB per restart\n",
    cycles, first, last, per
}'
