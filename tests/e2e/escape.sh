#!/usr/bin/env bash
# Escape in a level ends the game at once with status 0, without the closing line.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
launch_game "$1" $SMALL_WINDOW

position_after Return >/dev/null || exit 1
press_escape
expect_early_exit 20
echo "ok: Escape left with status 0 and no closing line"
