#!/usr/bin/env bash
# Dies and restarts level 1 many times (50 unless a number is given) in a
# real window under Xvfb and prints the game's memory after each restart,
# to show that a restart gives back what the level took.
#   tools/soak.sh [cycles] [game binary, build/glimmet by default]
# Needs xvfb-run and xdotool (tools/setup.sh); the game is driven as in the
# end-to-end test of a fall and a restart.
set -u
cd "$(dirname "$0")/.."
CYCLES=${1:-50}
export GLIMMET_SOAK_GAME=${2:-build/glimmet}
source tests/e2e/lib.sh
own_display "$CYCLES" "$GLIMMET_SOAK_GAME"
DEATH="<<======== Du bist TOT! ========>>"

memory() {
  awk '/^VmRSS:/ { print $2 " kB" }' "/proc/$PID/status"
}

launch_game "$GLIMMET_SOAK_GAME"
press Return
player_position >/dev/null || exit 1
echo "soak: start   $(memory)"
for cycle in $(seq 1 "$CYCLES"); do
  # The camera looks west at the player: A rolls it off the pad's north edge.
  xdotool keydown a
  wait_for_output "$DEATH" 30 "$cycle"
  xdotool keyup a
  press Return
  player_position >/dev/null || exit 1
  printf 'soak: cycle %3d   %s\n' "$cycle" "$(memory)"
done
