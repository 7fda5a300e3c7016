#!/usr/bin/env bash
# A player who rolls off level 1's shelf dies: the death line shows once, on
# a line of its own, and Enter starts the level again at its start. The
# nearest open edge is the ledge's north rim (where the red blocks go over):
# the camera looks west at the player, so W rolls it west along the railed
# shelf, and once it is on the ledge A alone rolls it north, off the rim.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1" --level 1 $SMALL_WINDOW
DEATH="<<======== Du bist TOT! ========>>"
START="81.5 10 0"
# West of the ledge's east rails, which stand beside the shelf's end.
ON_LEDGE=-41.5

AT=$(player_position) || exit 1
near "$AT" "$START" 0.1 || fail "level 1 starts the player at $AT"
xdotool keydown w
AT=$(position_below 1 "$ON_LEDGE" 60) ||
  fail "W did not roll the player onto the ledge within 60 s: $(player_position)"
xdotool keyup w
xdotool keydown a
wait_for_output "$DEATH" 45 1
xdotool keyup a
[ "$(grep -cxF -- "$DEATH" "$WORK/stdout.txt")" = 1 ] || fail "the death line is not on a line of its own, once"

AT=$(position_after Return) || exit 1
near "$AT" "$START" 0.5 || fail "the player did not start again: $AT"
echo "ok: died after rolling off the ledge, Enter restarted the level"
