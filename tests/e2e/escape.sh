#!/usr/bin/env bash
# Escape ends the game at once with status 0, without the closing line: in a
# level, on the title screen and on a level's end screen.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"

launch_game "$1" $SMALL_WINDOW
position_after Return >/dev/null || exit 1
press_escape
expect_early_exit 20

launch_game "$1" $SMALL_WINDOW
press_escape
expect_early_exit 20

# The end screen's text is looked for where a full-size window shows it.
launch_game "$1" --level 1
finish_level "$WIN"
press_escape
expect_early_exit 20
echo "ok: Escape left with status 0 and no closing line in a level, on the title and on an end screen"
