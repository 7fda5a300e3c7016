#!/usr/bin/env bash
# A player's way through the game: the title screen shows the title picture
# (its menu over the lower half),
# Enter starts level 1 where W rolls the player, F1 shows each level's end
# screen and Enter goes on to the next level through the game's own levels,
# and after the last one (whose end names no next level) the game ends with
# status 0 and without the closing line.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1"
START="81.5 10 0"

# The window shows before its first picture: wait for the title.
for _ in $(seq 1 150); do
  TITLE=$(upper_picture_difference x:"$WIN" resources/textures/start.tga)
  below "$TITLE" 0.05 && break
  sleep 0.1
done
below "$TITLE" 0.05 || fail "the title picture did not appear (difference $TITLE)"

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

# The last level's F1 leads out of the game: no level follows. A last level
# whose end still names a next one is left with Escape on its end screen.
finish_level "$WIN"
if grep -q "next *=" "resources/levels/level$LEVELS.cfg"; then
  press_escape
else
  hold_until Return game_ended || fail "Enter on level $LEVELS's end screen did not end the game"
fi
expect_early_exit 20
echo "ok: title picture, level 1 to $LEVELS, rolled with W, left with status 0 and no closing line"
