#!/usr/bin/env bash
# Draws the plan of level 1 from the game's own data and looks at a few
# known places: the player's start, a wall of the play corner, the goal's
# outline, and the open floor of the long shelf.
set -euo pipefail
checker="$1"
resources="$2"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
"$checker" --resources "$resources" --plan level1 -o plan.png > mapping.txt
cat mapping.txt

# pixel_of X Z: the pixel of the ground point (X, Z), from the mapping line.
pixel_of() {
  python3 - "$1" "$2" mapping.txt <<'PY'
import re, sys
x, z = float(sys.argv[1]), float(sys.argv[2])
a, s, b, _ = map(float, re.search(r"\(([-\d.e]+) \+ ([-\d.e]+) x, ([-\d.e]+) - ([-\d.e]+) z\)",
                                   open(sys.argv[3]).read()).groups())
print(int(a + s * x), int(b - s * z))
PY
}

# expect_colour NAME X Z R G B: the pixel at (X, Z) is within 12 of R G B.
expect_colour() {
  local name="$1" px py
  read -r px py < <(pixel_of "$2" "$3")
  local got
  got="$(convert plan.png -crop "1x1+$px+$py" -depth 8 txt:- | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+)\).*/\1 \2 \3/')"
  python3 - "$name" "$got" "$4" "$5" "$6" <<'PY'
import sys
name, got, want = sys.argv[1], list(map(int, sys.argv[2].split())), list(map(int, sys.argv[3:6]))
if max(abs(g - w) for g, w in zip(got, want)) > 12:
    sys.exit("FAIL: %s is %s, expected %s" % (name, got, want))
PY
}

expect_colour "the start marker" 81.5 0 255 0 255
expect_colour "the west wall of the play corner" -134.5 10 140 122 107
expect_colour "the goal's west edge" -123 0 0 115 0
expect_colour "the long shelf's floor" 0 -2 217 199 161
echo "the plan shows the start, a wall and the goal where the level has them"
