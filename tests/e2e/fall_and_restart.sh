#!/usr/bin/env bash
# A player who rolls off level 1's shelf dies: the death line shows once, on
# a line of its own, and Enter starts the level again at its start.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1" --level 1 $SMALL_WINDOW
DEATH="<<======== Du bist TOT! ========>>"
START="81.5 10 0"

AT=$(player_position) || exit 1
near "$AT" "$START" 0.1 || fail "level 1 starts the player at $AT"
fall_off_ledge 1 "the fall"
[ "$(grep -cxF -- "$DEATH" "$WORK/stdout.txt")" = 1 ] || fail "the death line is not on a line of its own, once"

AT=$(position_after Return) || exit 1
near "$AT" "$START" 0.5 || fail "the player did not start again: $AT"
echo "ok: died after rolling off the ledge, Enter restarted the level"
