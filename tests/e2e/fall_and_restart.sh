#!/usr/bin/env bash
# A player who rolls straight on along level 1's shelf falls into the gap,
# whose plank is still hidden, and dies; Enter starts the level again. The
# camera looks west at the player, so W rolls it west.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1"
DEATH="<<======== Du bist TOT! ========>>"

press Return
player_position >/dev/null || exit 1

xdotool keydown w
wait_for_output "$DEATH" 45 1
xdotool keyup w
[ "$(grep -cxF -- "$DEATH" "$WORK/stdout.txt")" = 1 ] || fail "the death line is not on a line of its own, once"

press Return
AT=$(player_position) || exit 1
near "$AT" "81.5 10 0" 0.5 || fail "the player did not start again: $AT"
echo "ok: died after rolling off the edge, Enter restarted the level"
