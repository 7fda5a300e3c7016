#!/usr/bin/env bash
# A player who rolls off a level's edge dies: the death line shows once, on
# a line of its own, and Enter starts the level again at its start. The game
# plays the tests' own small level 1 (tests/fixtures/gameflow) among its own
# data: Tobble starts 8.5 units from the start pad's open east edge, where
# the real level 1 has rails up to edges 125 units away (some 14 s of
# rolling at the base mode's top speed). The camera looks west at the
# player, so S rolls it east, off the pad.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"

# Makes $1/resources the game's own data with $2 as level 1. Sounds are
# linked one by one: the search for them does not enter linked directories.
with_level_one() {
  local game resources=$1/resources entry
  game="$(cd "$(dirname "$0")/../../resources" && pwd)"
  mkdir -p "$resources/levels" "$resources/sounds"
  for entry in "$game"/*; do
    case $(basename "$entry") in
      levels | sounds) ;;
      *) ln -s "$entry" "$resources/" ;;
    esac
  done
  ln -s "$game"/sounds/* "$resources/sounds/"
  ln -s "$game"/levels/level[23].cfg "$resources/levels/"
  cp "$2" "$resources/levels/level1.cfg"
}
FIXTURES="$(cd "$(dirname "$0")/../fixtures/gameflow" && pwd)"
DATA=$(mktemp -d)
trap 'rm -rf "$DATA"' EXIT
with_level_one "$DATA" "$FIXTURES/level1.cfg"
launch_game "$1" --data "$DATA" --level 1 $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$DATA"' EXIT
DEATH="<<======== Du bist TOT! ========>>"
# Where Tobble rests on the pad (top at y 8), dropped from its start.
START="81.5 9 0"

AT=$(player_position) || exit 1
near "$AT" "$START" 0.1 || fail "level 1 starts the player at $AT"
xdotool keydown s
wait_for_output "$DEATH" 30 1
xdotool keyup s
[ "$(grep -cxF -- "$DEATH" "$WORK/stdout.txt")" = 1 ] || fail "the death line is not on a line of its own, once"

AT=$(position_after Return) || exit 1
near "$AT" "$START" 0.5 || fail "the player did not start again: $AT"
echo "ok: died after rolling off the pad's edge, Enter restarted the level"
