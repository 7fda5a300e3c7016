#!/usr/bin/env bash
# Runs the configuration checker on a small resources directory with one
# broken file of each kind, and checks that it reports each with the game's
# own message, keeps going after a fatal one, and prints a tree on request.
set -euo pipefail
checker="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
res="$work/resources"
mkdir -p "$res/levels" "$res/objects"
printf 'Base = { speed = 2 };\n' > "$res/prototypes.cfg"
printf 'a = 1;\nb = 2; a = 3\n' > "$res/levels/duplicate.cfg"
printf 'a = 1;;\n' > "$res/levels/syntax.cfg"
printf 'x = Missing { }\n' > "$res/objects/missing.cfg"
printf 'x = 4294967296\n' > "$res/objects/huge.cfg"
printf 'thing = Base { size = (1, 2) }; name = "good"\n' > "$res/objects/good.cfg"

fail() { echo "FAIL: $*"; echo "--- stdout"; cat "$work/out"; echo "--- stderr"; cat "$work/err"; exit 1; }
expect_err() { grep -qxF -- "$1" "$work/err" || fail "standard error lacks: $1"; }
expect_out() { grep -qxF -- "$1" "$work/out" || fail "standard output lacks: $1"; }
# run STATUS ARGS...: runs the checker and expects that exit status.
run() {
  local want="$1" status=0
  shift
  "$checker" "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$want" ] || fail "exit status $status for $*, expected $want"
}

run 1 "$res"
expect_err 'duplicate.cfg:2:6:key "a" found twice in group (old value: 1, new value: 3).'
expect_err 'syntax.cfg:1:3:syntax error, unexpected ;, expecting $end'
expect_err "missing.cfg:1:3:Prototype '\"Missing\"' not found."
expect_err "caught lum::ConfigException: Integer 4294967296 at line 1 of file 'resources/objects/huge.cfg' does not fit in 32 bits."
expect_out 'FAILED  levels/duplicate.cfg'
expect_out 'ok      objects/good.cfg'
expect_out '6 files checked, 4 with errors'

run 0 "$res" good
expect_out 'good : Group'
expect_out '  name = "good"'
expect_out '  thing : Base'
expect_out '    size = (1, 2)'

run 1 "$res" duplicate.cfg
expect_err 'duplicate.cfg:2:6:key "a" found twice in group (old value: 1, new value: 3).'
echo "checker reports broken files with the game's messages"
