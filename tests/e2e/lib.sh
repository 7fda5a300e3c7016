# Helpers shared by the end-to-end scripts.

fail() {
  echo "FAIL: $*" >&2
  for f in "$WORK"/*.txt; do
    [ -f "$f" ] && { echo "--- $(basename "$f")" >&2; tail -n 40 "$f" >&2; }
  done
  exit 1
}

# For the scripts that look at no picture, or only at one shrunk to 32x24
# (picture_difference): the game in a small window, which the software
# renderer draws in half the processor time of a full one, so that the tests
# run beside it are not slowed.
SMALL_WINDOW="--windowed 320x240"

# Runs the rest of the script inside its own Xvfb unless it already has one
# of its own (GLIMMET_E2E_DISPLAY marks that).
own_display() {
  if [ -z "${GLIMMET_E2E_DISPLAY:-}" ]; then
    export GLIMMET_E2E_DISPLAY=1
    in_own_xvfb bash "$0" "$@"
    exit $?
  fi
}

# Runs a command in a new Xvfb display and ends the display after it. The
# server picks a free display number itself and writes it out once it
# accepts clients (-displayfd), so scripts started side by side never race
# for the same number the way a search for a free one does.
in_own_xvfb() {
  local numbers xvfb number status
  numbers=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$numbers" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 200); do
    [ "$(wc -l <"$numbers")" -ge 1 ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.05
  done
  number=$(head -n 1 "$numbers")
  rm -f "$numbers"
  if [ -z "$number" ]; then
    kill "$xvfb" 2>/dev/null
    echo "FAIL: Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$number" "$@"
  status=$?
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  return "$status"
}

# Prints the id of the game's window once it is mapped (waits up to 30 s).
find_game_window() {
  local id=""
  for _ in $(seq 1 300); do
    id=$(xdotool search --onlyvisible --name '^Glimmet$' 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for the game (process $1, a child of this shell) to
# end and sets STATUS to its exit status; fails when it does not end.
wait_exit() {
  local pid=$1 limit=$2
  for _ in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  fail "the game did not end within $limit s"
}

# Starts the game ($1, with the options that follow) in the background with
# its output in a fresh $WORK, both gone when the script ends, and gives its
# window the keyboard focus (key events from xdotool go to the focused
# window; GLFW ignores events sent to a window directly). Sets PID and WIN.
launch_game() {
  GAME=$1
  WORK=$(mktemp -d)
  trap 'stop_game; rm -rf "$WORK"' EXIT
  # The records and options go where the test's files go (or E2E_DATA_HOME), never into
  # the real home.
  XDG_DATA_HOME="${E2E_DATA_HOME:-$WORK/data}" XDG_CONFIG_HOME="$WORK/config" "$GAME" "${@:2}" >"$WORK/stdout.txt" 2>"$WORK/stderr.txt" &
  PID=$!
  WIN=$(find_game_window) || fail "no window titled Glimmet appeared"
  xdotool windowfocus --sync "$WIN"
}

# Ends a game that is still running when the script ends early.
stop_game() {
  if [ -n "${PID:-}" ] && kill -0 "$PID" 2>/dev/null; then
    kill -9 "$PID" 2>/dev/null
  fi
}

# Holds key $1 for $2 seconds (half a second by default): for the keys
# whose holding time is what is tested, such as rolling.
press() {
  xdotool keydown "$1"
  sleep "${2:-0.5}"
  xdotool keyup "$1"
}

# Holds key $1 down until the command that follows succeeds (asked twenty
# times a second), then lets it go: held for as long as the game takes to
# see it, however slow its frames. False after 30 s, or when the game ended
# first.
hold_until() {
  local key=$1 seen=1 until=$((SECONDS + 30))
  shift
  xdotool keydown "$key"
  while [ "$SECONDS" -le "$until" ]; do
    "$@" && { seen=0; break; }
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.05
  done
  xdotool keyup "$key"
  return "$seen"
}

# True once the game (process $PID) has ended.
game_ended() {
  ! kill -0 "$PID" 2>/dev/null
}

# True once more than $2 lines of standard output hold the text $1.
output_past() {
  [ "$(count_output "$1")" -gt "$2" ]
}

# Holds Escape until the game ends.
press_escape() {
  hold_until Escape game_ended || fail "the game did not end on Escape"
}

# Number of lines of standard output that hold the text $1.
count_output() {
  grep -cF -- "$1" "$WORK/stdout.txt"
}

# Waits up to $2 seconds until at least $3 lines of standard output hold the
# text $1; fails when the game ends or the time is up.
wait_for_output() {
  local text=$1 limit=$2 count=$3
  for _ in $(seq 1 $((limit * 10))); do
    [ "$(count_output "$text")" -ge "$count" ] && return 0
    kill -0 "$PID" 2>/dev/null || fail "the game ended while waiting for \"$text\""
    sleep 0.1
  done
  fail "no \"$text\" on standard output within $limit s"
}

# Prints the player's translation "x y z", holding F12 (which answers only
# while the player is on the ground) until it answers, up to 30 s.
player_position() {
  local before
  before=$(count_output "Tobbles transform : ")
  if ! hold_until F12 output_past "Tobbles transform : " "$before"; then
    game_ended && fail "the game ended while asking for the player's position"
    fail "F12 printed no transform within 30 s"
  fi
  grep -F "Tobbles transform : " "$WORK/stdout.txt" | tail -n 1 |
    sed -E 's/.*translation: \(([^,]*), ([^,]*), ([^)]*)\).*/\1 \2 \3/'
}

# Holds F12, which the game answers at every pass the player is on the
# ground, until a translation's coordinate $1 (1 x, 2 y, 3 z) lies below $2,
# and prints that translation "x y z". One reader follows the output all the
# while: asking again and again (player_position) starts a dozen processes a
# question, which over a long roll take a processor from the game. False
# after $3 seconds, or when the game ends first.
position_below() {
  local axis=$1 limit=$2 seconds=$3 from at
  from=$(($(wc -l <"$WORK/stdout.txt") + 1))
  xdotool keydown F12
  at=$(timeout "$seconds" tail -n "+$from" --pid="$PID" -f "$WORK/stdout.txt" |
    awk -v axis="$axis" -v limit="$limit" '/Tobbles transform : / {
      sub(/.*translation: \(/, ""); sub(/\).*/, ""); split($0, p, ", ")
      if (p[axis] + 0 < limit + 0) { print p[1], p[2], p[3]; exit }
    }')
  xdotool keyup F12
  [ -n "$at" ] && echo "$at"
}

# Rolls the player from level 1's start off the nearest open edge until the
# game tells of the death ($1 deaths told in all, with $2 the script's name
# for it in failures). The start pad has rails: the camera looks west at the
# player, so W rolls it west along the railed shelf, and once it is on the
# ledge A alone rolls it north, off the rim where the red blocks go over.
fall_off_ledge() {
  local deaths=$1 what=$2 on_ledge=-41.5
  xdotool keydown w
  position_below 1 "$on_ledge" 60 >/dev/null ||
    { xdotool keyup w; fail "$what: W did not roll the player onto the ledge within 60 s"; }
  xdotool keyup w
  xdotool keydown a
  wait_for_output "<<======== Du bist TOT! ========>>" 45 "$deaths"
  xdotool keyup a
}

# Holds key $1 (Enter on the title, on an end screen or after a death)
# until a level runs, and prints the player's translation there.
position_after() {
  local status
  xdotool keydown "$1"
  player_position
  status=$?
  xdotool keyup "$1"
  return "$status"
}

# True when position $1 ("x y z") lies within $3 of position $2 in every axis.
near() {
  awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN {
    split(a, p, " "); split(b, q, " ")
    for (i = 1; i <= 3; i++) if (p[i] - q[i] > d || q[i] - p[i] > d) exit 1
  }'
}

# Fails unless the game (process $PID) ended with status 0 within $1 seconds
# and without the closing line: an early exit skips the normal shutdown.
expect_early_exit() {
  wait_exit "$PID" "$1"
  [ "$STATUS" = 0 ] || fail "exit status $STATUS"
  ! grep -qF ">>>==== !GAME OVER! ====<<<" "$WORK/stdout.txt" || fail "the closing line was printed"
}

# Takes a screenshot of window $1 into file $2.
screenshot() {
  import -window "$1" "$2" 2>/dev/null
}

# Root-mean-square difference, from 0 to 1, between pictures $1 and $2
# (files, or x:WINDOW for what a window shows), both shrunk to 32x24 first
# so that filtering and scaling do not count. Targa files keep their rows
# bottom up; -auto-orient puts them upright. One process: ImageMagick is
# slow to start.
picture_difference() {
  convert "$1" -auto-orient -resize '32x24!' \( "$2" -auto-orient -resize '32x24!' \) \
    -metric RMSE -compare -format '%[distortion]' info: 2>/dev/null
}

# The same for the pictures' upper halves right of the left quarter: the
# title's menu stands in the left column.
upper_picture_difference() {
  convert "$1" -auto-orient -gravity northeast -crop 75%x50%+0+0 +repage -resize '24x12!' \
    \( "$2" -auto-orient -gravity northeast -crop 75%x50%+0+0 +repage -resize '24x12!' \) \
    -metric RMSE -compare -format '%[distortion]' info: 2>/dev/null
}

# True when $1 is a number below $2.
below() {
  awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value ~ /^[0-9.e+-]+$/ && value + 0 < limit) }'
}

# Prints how many white pixels and how many dark pixels window $1 shows in
# the band where the game writes its texts, right of the middle of the
# screen (the player sits there and may be white). The end screens draw
# their text on a dark panel there.
text_band_pixels() {
  convert x:"$1" -crop 440x30+560+355 +repage \
    \( +clone -separate -evaluate-sequence min -threshold 92% \
    -format '%[fx:round(mean*w*h)] ' -write info: +delete \) \
    -separate -evaluate-sequence max -threshold 35% -negate \
    -format '%[fx:round(mean*w*h)]\n' info: 2>/dev/null
}

# True once window $1's text band shows an end screen's text, on its panel,
# over the $2 white and $3 dark pixels it had before (a level's objective
# may already be written there in white). Sets AFTER and DARK_AFTER.
end_screen_shown() {
  read -r AFTER DARK_AFTER < <(text_band_pixels "$1")
  [ "${AFTER:-0}" -ge $(($2 + 200)) ] && return 0
  [ "${DARK_AFTER:-0}" -ge $(($3 + 3000)) ] && [ "${AFTER:-0}" -ge 100 ]
}

# Holds F1 in window $1 until the end screen's text appears, up to 30 s.
finish_level() {
  local before dark_before
  read -r before dark_before < <(text_band_pixels "$1")
  [ -n "$dark_before" ] || fail "could not grab the text band of window $1"
  hold_until F1 end_screen_shown "$1" "$before" "$dark_before" ||
    fail "no end screen text after F1 ($before white and $dark_before dark pixels before, ${AFTER:-?} and ${DARK_AFTER:-?} after)"
}
