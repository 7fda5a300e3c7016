#!/usr/bin/env bash
# Without a reachable display the start-up failure is reported with its trace
# on standard error, and the run still closes with its closing line, but with
# status 1 so that a launcher sees the failure.
set -u
GAME=$1
source "$(dirname "$0")/lib.sh"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

env -u DISPLAY -u WAYLAND_DISPLAY "$GAME" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" </dev/null
STATUS=$?
[ "$STATUS" = 1 ] || fail "exit status $STATUS"
[ "$(head -n 1 "$WORK/stderr.txt")" = "caught lum::Exception: Could not initialize GLFW." ] || fail "no 'caught' report first on standard error"
grep -q $'^\tat Renderer.cpp:lum::Renderer::Renderer:[0-9]*$' "$WORK/stderr.txt" || fail "the report has no trace line for the renderer"
[ "$(tail -n 1 "$WORK/stdout.txt")" = ">>>==== !GAME OVER! ====<<<" ] || fail "standard output does not end with the closing line"
echo "ok: failure reported with its trace, status 1, closing line printed"
