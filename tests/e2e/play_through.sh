#!/usr/bin/env bash
# A player's way through the game: the title screen shows the title picture
# (its menu in the left column),
# Enter starts level 1 where W rolls the player, F1 shows each level's end
# screen and Enter goes on to the next level through the game's own levels;
# after the last one (whose end names no next level) Enter leads back to the
# title, where Escape ends the game with status 0 and without the closing
# line.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1"
START="81.5 10 0"

title_shown() {
  TITLE=$(upper_picture_difference x:"$WIN" resources/textures/start.tga)
  below "$TITLE" 0.05
}
# The window shows before its first picture: wait for the title.
for _ in $(seq 1 150); do
  title_shown && break
  sleep 0.1
done
title_shown || fail "the title picture did not appear (difference $TITLE)"

AT=$(position_after Return) || exit 1
near "$AT" "$START" 0.1 || fail "level 1 starts the player at $AT"
press w 0.6
ROLLED=$(player_position) || exit 1
near "$ROLLED" "$AT" 0.2 && fail "W did not roll the player: $AT, then $ROLLED"
# Nothing brakes a rolling ball: S for as long brings it about to a halt
# before it can reach an edge.
press s 0.6

LEVELS=$(ls resources/levels/level*.cfg | wc -l)
for level in $(seq 2 "$LEVELS"); do
  finish_level "$WIN"
  AT=$(position_after Return) || exit 1
  near "$AT" "$START" 0.1 || fail "level $level did not start the player at its start: $AT"
done

# The last level's F1 leads back to the title: no level follows.
finish_level "$WIN"
hold_until Return title_shown ||
  fail "Enter on level $LEVELS's end screen did not lead to the title (difference $TITLE)"
press_escape
expect_early_exit 20
echo "ok: title picture, level 1 to $LEVELS, rolled with W, back to the title, left with status 0 and no closing line"
