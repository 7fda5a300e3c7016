#!/usr/bin/env bash
# A damaged records file does not keep the game from starting: it is told
# once on standard error and kept beside the new records, never deleted.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
E2E_DATA_HOME=$(mktemp -d)
export E2E_DATA_HOME
RECORDS="$E2E_DATA_HOME/glimmet/records.cfg"
mkdir -p "$(dirname "$RECORDS")"
printf 'level1 = { time = 5.0; corn = $ };\n' >"$RECORDS"
launch_game "$1" --level 1 $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$E2E_DATA_HOME"' EXIT

player_position >/dev/null || exit 1
press_escape
expect_early_exit 20
[ -f "$RECORDS.damaged" ] || fail "the damaged records were not set aside"
grep -qF 'corn = $' "$RECORDS.damaged" || fail "the set-aside file lost its content"
[ ! -e "$RECORDS" ] || fail "the damaged records are still in place"
[ "$(grep -c 'records.cfg' "$WORK/stderr.txt")" = 1 ] || fail "the damage was not told exactly once"
echo "ok: damaged records were told once and set aside, and the game played"
