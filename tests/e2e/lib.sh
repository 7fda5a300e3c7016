# Helpers shared by the end-to-end scripts.

fail() {
  echo "FAIL: $*" >&2
  for f in "$WORK"/*.txt; do
    [ -f "$f" ] && { echo "--- $(basename "$f")" >&2; tail -n 40 "$f" >&2; }
  done
  exit 1
}

# Runs the rest of the script inside its own Xvfb unless it already has one
# of its own (GLIMMET_E2E_DISPLAY marks that).
own_display() {
  if [ -z "${GLIMMET_E2E_DISPLAY:-}" ]; then
    export GLIMMET_E2E_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
  fi
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
