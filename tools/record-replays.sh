#!/usr/bin/env bash
# Records the playthrough bot's way through each level into
# tests/replays/levelN.replay, the files the replay tests play back.
# A replay holds Tobble's position to the last bit, so it belongs to one
# build's floating-point behaviour: run this again after changing physics,
# control or the levels, and commit the new files.
# Usage: tools/record-replays.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
tests="$build/tests/lum_gl_tests"
[ -x "$tests" ] || { echo "record-replays: no $tests; build first" >&2; exit 1; }
mkdir -p tests/replays
for level in 1 2 3; do
  file="tests/replays/level$level.replay"
  # One level a process: the game plays one run a process, and so do the replays.
  GLIMMET_RECORD_REPLAY="$file.new" ALSOFT_DRIVERS=null \
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$tests" --gtest_also_run_disabled_tests \
    --gtest_filter="Level/RecordedPlaythrough.DISABLED_FromTheLevelsStartToItsEnd/$((level - 1))" \
    >"$file.log" 2>&1 || { echo "record-replays: level $level failed (see $file.log)" >&2; rm -f "$file.new"; exit 1; }
  mv "$file.new" "$file"
  rm -f "$file.log"
  echo "$file: $(grep -c '^p ' "$file") passes, $(tail -n 1 "$file")"
done
