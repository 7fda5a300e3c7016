#!/usr/bin/env bash
# The game opens its 1024x768 window titled "Glimmet"; closing it the way a
# window manager does ends the run with the closing line and status 0.
set -u
GAME=$1
WM_CLOSE=$2
source "$(dirname "$0")/lib.sh"
own_display "$@"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

XDG_DATA_HOME="$WORK/data" "$GAME" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" &
PID=$!

WIN=$(find_game_window) || fail "no window titled Glimmet appeared"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] || fail "window is ${WIDTH}x${HEIGHT}, expected 1024x768"

"$WM_CLOSE" "$WIN" || fail "could not send WM_DELETE_WINDOW"
wait_exit "$PID" 30
[ "$STATUS" = 0 ] || fail "exit status $STATUS"
[ "$(tail -n 1 "$WORK/stdout.txt")" = ">>>==== !GAME OVER! ====<<<" ] || fail "standard output does not end with the closing line"
echo "ok: window closed, status 0, closing line printed"
