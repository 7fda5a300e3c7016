#!/usr/bin/env bash
# A designer's level of their own, in the player's levels directory, found
# at start after the game's own levels and played with --watch: moving its
# start pad down in the file moves Tobble down with it while the game runs, a
# broken edit is told (file, line, column) in the log and on screen while the
# level goes on as it was, and mending the file starts the level again. A
# broken file of the same directory is told at start and stops nothing.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"

OWN=$(mktemp -d)
trap 'rm -rf "$OWN"' EXIT
LEVELS=$OWN/glimmet/levels
mkdir -p "$LEVELS"
# Tobble starts at (81.5, 10, 0) and rests on the pad's top, one unit above it.
pad_at() {
  cat >"$LEVELS/mine.cfg" <<LEVEL
scene = (
    Light { transform = { translation = (60, 40, 20) } },
    Physics { name = "pad"; children = (
        Floor { transform = { scale = (10, 1, 8); translation = (81.5, $1, 0) } }) } );
LEVEL
}
pad_at 7
printf 'scene = ( Light { } ;\n' >"$LEVELS/zz_broken.cfg"

# Asks for the player's position until it lies within 0.3 of $1: after a
# start Tobble falls from its start height onto the pad. Sets AT.
settles_at() {
  for _ in $(seq 1 50); do
    AT=$(player_position) || exit 1
    near "$AT" "$1" 0.3 && return 0
    sleep 0.1
  done
  return 1
}

# The player's levels are numbered after the game's own.
MINE=$(($(ls resources/levels/level*.cfg | wc -l) + 1))
export E2E_DATA_HOME=$OWN
launch_game "$1" --level $MINE --watch $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$OWN"' EXIT

grep -qF "glimmet: level $MINE: mine ($LEVELS/mine.cfg)" "$WORK/stdout.txt" ||
  fail "the player's level was not told as level $MINE"
grep -qF "glimmet: level $((MINE + 1)) cannot be played: $LEVELS/zz_broken.cfg:1:21: syntax error" \
  "$WORK/stderr.txt" || fail "the broken level was not told with its place"

settles_at "81.5 9 0" || fail "the level did not start on its pad: $AT"

# The pad four units lower: the level starts again and Tobble rests lower.
pad_at 3
wait_for_output "mine.cfg changed: the level started again" 30 1
settles_at "81.5 5 0" || fail "the moved pad did not carry Tobble: $AT"

# The problem goes where the clock leaves room, below it at the left.
problem_area() {
  convert "$1" -crop 150x30+8+18 +repage -resize '32x8!' "$2" 2>/dev/null
}
screenshot "$WIN" "$WORK/before.png"
printf 'scene = (\n    Light { } ;\n' >"$LEVELS/mine.cfg"
for _ in $(seq 1 300); do
  grep -qF "the level is kept as it was: $LEVELS/mine.cfg:2:15: syntax error" "$WORK/stderr.txt" &&
    break
  kill -0 "$PID" 2>/dev/null || fail "the game ended on a broken edit"
  sleep 0.1
done
grep -qF "the level is kept as it was: $LEVELS/mine.cfg:2:15: syntax error" "$WORK/stderr.txt" ||
  fail "the broken edit was not told with its place"
# The problem shows from the next drawn frame on: looked at until it does.
problem_area "$WORK/before.png" "$WORK/before-area.png"
for _ in $(seq 1 50); do
  screenshot "$WIN" "$WORK/broken.png"
  problem_area "$WORK/broken.png" "$WORK/broken-area.png"
  SHOWN=$(picture_difference "$WORK/before-area.png" "$WORK/broken-area.png")
  awk -v d="$SHOWN" 'BEGIN { exit !(d > 0.05) }' && break
  sleep 0.1
done
awk -v d="$SHOWN" 'BEGIN { exit !(d > 0.05) }' || fail "no problem on screen (difference $SHOWN)"
AT=$(player_position) || exit 1
near "$AT" "81.5 5 0" 0.3 || fail "the broken edit did not keep the level: $AT"
[ "$(count_output "the level started again")" = 1 ] || fail "a broken edit started the level again"

# Mended: the level starts again from the file as it is now, and the problem goes.
pad_at 7
wait_for_output "mine.cfg changed: the level started again" 30 2
settles_at "81.5 9 0" || fail "the mended level did not start again: $AT"
screenshot "$WIN" "$WORK/mended.png"
problem_area "$WORK/mended.png" "$WORK/mended-area.png"
GONE=$(picture_difference "$WORK/broken-area.png" "$WORK/mended-area.png")
awk -v d="$GONE" 'BEGIN { exit !(d > 0.05) }' || fail "the problem stayed on screen (difference $GONE)"
press_escape

# Broken from the start: the game waits on the loading picture with the
# problem until a save mends the file, then starts the level.
rm -rf "$WORK"
printf 'scene = ( Light { } ;\n' >"$LEVELS/mine.cfg"
launch_game "$1" --level-file "$LEVELS/mine.cfg" --watch $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$OWN"' EXIT
for _ in $(seq 1 300); do
  grep -qF "cannot be played: $LEVELS/mine.cfg:1:21: syntax error" "$WORK/stderr.txt" && break
  sleep 0.1
done
kill -0 "$PID" 2>/dev/null || fail "the game ended on a level broken from the start"
# A game that ends later still fails below: it answers no question for the position.
pad_at 7
settles_at "81.5 9 0" || fail "the mended level did not start: $AT"
press_escape
echo "ok: the watched level moved with its file, kept running through a broken edit, came back,"
echo "    and a level broken from the start waited for its mending"
