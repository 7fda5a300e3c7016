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

# pixel_of X Z: the pixel of the ground point (X, Z), from the mapping line
# "... at pixel (A + S x, B + S z)".
pixel_of() {
  sed -E 's/.*\(([-0-9.e]+) \+ ([-0-9.e]+) x, ([-0-9.e]+) \+ ([-0-9.e]+) z\).*/\1 \2 \3 \4/' mapping.txt |
    awk -v x="$1" -v z="$2" '{ printf "%d %d\n", int($1 + $2 * x), int($3 + $4 * z) }'
}

# expect_colour NAME X Z R G B: the pixel at (X, Z) is within 12 of R G B.
expect_colour() {
  local name="$1" px py got
  read -r px py < <(pixel_of "$2" "$3")
  got="$(convert plan.png -crop "1x1+$px+$py" -depth 8 txt:- | tail -1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+)\).*/\1 \2 \3/')"
  awk -v name="$name" -v got="$got" -v want="$4 $5 $6" 'BEGIN {
    n = split(got, g, " "); split(want, w, " ")
    for (i = 1; i <= 3; i++) if (n != 3 || g[i] - w[i] > 12 || w[i] - g[i] > 12) {
      printf "FAIL: %s is %s, expected %s\n", name, got, want; exit 1
    }
  }'
}

expect_colour "the start marker" 81.5 0 255 0 255
expect_colour "the west wall of the play corner" -134.5 10 140 122 107
expect_colour "the goal's west edge" -123 0 0 115 0
expect_colour "the long shelf's floor" 0 -2 217 199 161
echo "the plan shows the start, a wall and the goal where the level has them"
