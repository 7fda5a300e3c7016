#!/usr/bin/env bash
# Runs the configuration checker on a small resources directory with one
# broken file of each kind, and checks that it reports each at its exact
# place in the editors' "file:line:col: severity: text" form, keeps going
# after a fatal one, tells typos apart from errors, and exits with the
# agreed statuses.
set -euo pipefail
checker="$1"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
res="res"
mkdir -p "$res/levels" "$res/objects" "$work/clean/levels"
printf 'Base = { speed = 2 };\nModel = { };\nLight = { }\n' > "$res/prototypes.cfg"
printf 'a = 1;\nb = 2; a = 3\n' > "$res/levels/duplicate.cfg"
printf 'a = 1;;\n' > "$res/levels/syntax.cfg"
printf 'a = 1;\n/* one\n   two */\nb = = 7;\n' > "$res/levels/after_comment.cfg"
printf 'a = 1;\nb = { c = 2;\n' > "$res/levels/unclosed.cfg"
printf 'x = Missing { }\n' > "$res/objects/missing.cfg"
printf 'x = 4294967296\n' > "$res/objects/huge.cfg"
printf 'a = "two\nlines";\n  b = $\n' > "$res/objects/stray.cfg"
printf '#include "shapes.cfg"\nx = 1\n' > "$res/objects/include.cfg"
printf 'thing = Base { size = (1, 2) }; name = "good"\n' > "$res/objects/good.cfg"
printf 'scene = ( Model { name = "m"; tranform = { } },\n  Light { color = 3 } )\n' > "$res/levels/typo.cfg"
cp "$res/prototypes.cfg" clean/
printf 'scene = ( Model { name = "m" } )\n' > clean/levels/fine.cfg

fail() { echo "FAIL: $*"; echo "--- stdout"; cat "$work/out"; echo "--- stderr"; cat "$work/err"; exit 1; }
expect_out() { grep -qxF -- "$1" "$work/out" || fail "standard output lacks: $1"; }
# run STATUS ARGS...: runs the checker and expects that exit status.
run() {
  local want="$1" status=0
  shift
  "$checker" "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$want" ] || fail "exit status $status for $*, expected $want"
}

run 1 "$res"
expect_out 'res/levels/duplicate.cfg:2:8: error: key "a" found twice in group (old value: 1, new value: 3).'
expect_out 'res/levels/syntax.cfg:1:7: error: syntax error, unexpected ;'
expect_out 'res/levels/after_comment.cfg:4:5: error: syntax error, unexpected ='
expect_out 'res/levels/unclosed.cfg:3:1: error: syntax error, unexpected $end'
expect_out 'res/levels/unclosed.cfg:2:5: note: the { opened here is never closed'
expect_out "res/objects/missing.cfg:1:5: error: Prototype 'Missing' not found. Known prototypes: Base, Light, Model."
expect_out "res/objects/huge.cfg:1:1: error: Integer 4294967296 at line 1 of file 'resources/objects/huge.cfg' does not fit in 32 bits."
expect_out "res/objects/include.cfg:1:1: error: File shapes.cfg could not be found. It is included at include.cfg:1:10."
expect_out 'res/levels/typo.cfg:1:31: warning: unknown key "tranform" in Model; did you mean transform?'
expect_out 'res/levels/typo.cfg:2:11: warning: "color" should be a group, not Integer 3'
expect_out "res/objects/stray.cfg:3:7: error: stray '\$'"
expect_out '11 files checked: 8 errors, 2 warnings'
grep -q 'good.cfg' "$work/out" && fail "a clean file is reported"

# Warnings alone pass unless --strict; a clean directory passes either way.
run 0 "$res/levels/typo.cfg"
run 1 --strict "$res/levels/typo.cfg"
run 0 --strict clean
run 0 --strict --resources clean clean/levels/fine.cfg
expect_out '1 file checked: 0 errors, 0 warnings'

run 1 --json "$res/levels/typo.cfg" "$res/levels/syntax.cfg"
python3 - "$work/out" <<'PY'
import json, sys
findings = json.load(open(sys.argv[1]))
assert [f["severity"] for f in findings] == ["warning", "warning", "error"], findings
assert findings[0] == {"file": "res/levels/typo.cfg", "line": 1, "column": 31,
                       "severity": "warning",
                       "message": 'unknown key "tranform" in Model; did you mean transform?'}, findings[0]
PY

# A player's level outside the resources: its includes beside it first, then
# the resources'; its findings named by its own path.
mkdir -p "$work/own"
printf 'Pad = Model { };\n' > "$work/own/pieces.cfg"
printf '#include "pieces.cfg"\nscene = ( Pad { },\n  Wobbly { } )\n' > "$work/own/mine.cfg"
run 1 --resources "$res" "$work/own/mine.cfg"
expect_out "$work/own/mine.cfg:3:3: error: Prototype 'Wobbly' not found. Known prototypes: Base, Light, Model, Pad."
printf '#include "pieces.cfg"\nscene = ( Model { tranform = { } } )\n' > "$work/own/mine.cfg"
run 1 --strict --resources "$res" "$work/own/mine.cfg"
expect_out "$work/own/mine.cfg:2:19: warning: unknown key \"tranform\" in Model; did you mean transform?"

run 0 --resources "$res" --tree good
expect_out 'good : Group'
expect_out '  name = "good"'
expect_out '  thing : Base'
expect_out '    size = (1, 2)'

# Wrong use: no path, an unknown option, a missing file, no resources.
run 2
run 2 --frobnicate "$res"
run 2 "$res/levels/nothing.cfg"
mkdir -p "$work/nowhere" && printf 'a = 1\n' > "$work/nowhere/a.cfg"
run 2 "$work/nowhere/a.cfg"
echo "checker reports broken files at their places, with statuses"
