#!/usr/bin/env bash
# The test suite as tools/test.sh first runs it (ctest -j2 without the fuzz
# targets and the long clumsy-bot test), for two build trees in turn, each
# run as a clean checkout would (no timings of earlier runs to order by).
# Usage: bench/suite/suite_side_by_side.sh <build dir> <other build dir> [rounds, default 3]
# Prints per run: the load average before it, wall and processor seconds
# (of every process the run started, also those its scripts left running),
# the number of test processes ctest started and the sum of the graphics
# tests' times.
set -euo pipefail
rounds=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

run_once() {
  local build=$1 load
  load=$(cut -d' ' -f1 /proc/loadavg)
  rm -f "$build/Testing/Temporary/CTestCostData.txt"
  (cd "$build" && "$here/reaped_time.py" "$log.time" \
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest -j2 -LE 'fuzz|clumsy|soak' >"$log" 2>&1) || true
  read -r wall user sys <"$log.time"
  local processes gl failed
  processes=$(grep 'Test *#' "$log" | grep -vc 'Not Run' || true)
  gl=$(sed -n 's/^gl *= *\([0-9.]*\) sec.*/\1/p' "$log")
  failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed.*/\1/p' "$log")
  printf '%-40s load %5s  wall %6.1f s  cpu %6.1f s (user %6.1f, sys %5.1f)  processes %4d  gl sum %6.1f s  failed %s\n' \
    "$build" "$load" "$wall" "$(echo "$user + $sys" | bc)" "$user" "$sys" "$processes" "${gl:-0}" "${failed:-?}"
  rm -f "$log.time"
}

for ((round = 1; round <= rounds; ++round)); do
  run_once "$1"
  run_once "$2"
done
