#!/usr/bin/env bash
# Runs the configuration checker on levels whose events are broken in one
# way each (tests/fixtures/brokenevents) and expects each finding at its
# place; the unbroken rules beside them are not reported.
set -euo pipefail
checker="$1"
fixtures="$2"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$fixtures"
status=0
"$checker" --resources . levels >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status for warnings alone"; cat "$work/out" "$work/err"; exit 1; }

# file:line:col: text, one finding a line; the whole output, nothing more.
expected='levels/badkeys.cfg:9:9: "text" should be a string, not Integer 3
levels/badkeys.cfg:11:49: "x" should be two numbers (low, high), not List (40, 60, 80)
levels/badkeys.cfg:11:67: unknown key "zz" in area; did you mean z?
levels/badkeys.cfg:12:38: unknown key "flg" in action; did you mean flag?
levels/badkeys.cfg:13:7: "when" should be a list of groups, not String "always"
levels/badkeys.cfg:11:47: an area'"'"'s x is two numbers, (low, high)
levels/badkeys.cfg:13:5: a rule, trigger or action is a group { ... }
levels/missingnames.cfg:9:24: no object of the level is named "bridge"
levels/missingnames.cfg:11:16: no object of the level is named "blokcs"
levels/missingnames.cfg:13:16: no object of the level is named "ghost"
levels/speedgap.cfg:14:33: Tobble can never get to this area from the start
levels/unknownkinds.cfg:10:16: unknown trigger "tobbleNear"; a trigger is tobbleIn, fallen, objectIn, timer or flag
levels/unknownkinds.cfg:12:16: unknown action "explode"; an action is show, hide, unlock, setFlag, message, kill, return or finish
levels/unknownkinds.cfg:12:40: unknown mode "fly"; a mode is base, jump, spike or speed
levels/unreachable.cfg:12:33: Tobble can never get to this area from the start
levels/unreachable.cfg:14:34: Tobble can never get to this area from the start
levels/unreachable.cfg:16:40: Tobble can never get to this area from the start'

got="$(grep ': warning: ' "$work/out" | sed -e 's/: warning: /: /' -e 's#^\./##')"
if [ "$got" != "$expected" ]; then
  echo "FAIL: the findings differ from the expected ones"
  diff <(echo "$expected") <(echo "$got") || true
  exit 1
fi
echo "the checker reports each broken event at its place, and nothing else"
