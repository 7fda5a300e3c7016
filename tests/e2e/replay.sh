#!/usr/bin/env bash
# A run recorded with --record plays back with --replay to the same end: the
# same number of passes, level, life and position to the last bit. A replay
# file cut short, or made by another game version, is refused by name.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
RUNS=$(mktemp -d)
launch_game "$1" --record "$RUNS/run.replay" --level 1 $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$RUNS"' EXIT

player_position >/dev/null || exit 1
press w 0.5
press a 0.3
press_escape
expect_early_exit 20
RECORDED=$(sed -n 's/^glimmet: recorded: //p' "$WORK/stdout.txt")
[ -n "$RECORDED" ] || fail "no outcome of the recording on standard output"

ALSOFT_DRIVERS=null timeout 120 "$GAME" --replay "$RUNS/run.replay" $SMALL_WINDOW >"$WORK/replay.txt" 2>&1
STATUS=$?
[ "$STATUS" = 0 ] || fail "the replay ended with status $STATUS"
PLAYED=$(sed -n 's/^glimmet: replay .* played out as recorded: //p' "$WORK/replay.txt")
[ "$PLAYED" = "$RECORDED" ] || fail "recorded \"$RECORDED\", replayed \"$PLAYED\""

# Refused before the game starts, with status 1 and the file named.
refused() {
  local file=$1 expected=$2 status
  timeout 60 "$GAME" --replay "$file" >"$WORK/refused.txt" 2>&1
  status=$?
  [ "$status" = 1 ] || fail "$file: status $status, not 1"
  grep -qF -- "$expected" "$WORK/refused.txt" || fail "$file: no \"$expected\""
  ! grep -q "ShaderLoader : INFO" "$WORK/refused.txt" || fail "$file: the game started"
}
# Half the file: on a busy machine the recorded seconds hold few passes, and
# a fixed length could be the whole file.
head -c $(($(stat -c %s "$RUNS/run.replay") / 2)) "$RUNS/run.replay" >"$WORK/cut.replay"
refused "$WORK/cut.replay" "$WORK/cut.replay:"
sed 's/^version .*/version 0.0.1/' "$RUNS/run.replay" >"$WORK/old.replay"
refused "$WORK/old.replay" "recorded with another game version 0.0.1"

"$GAME" --replay "$RUNS/run.replay" --level 2 >/dev/null 2>&1
[ $? = 2 ] || fail "--replay with --level was not a usage error"
echo "ok: the recorded run replayed to the same end ($PLAYED); damaged files were refused"
