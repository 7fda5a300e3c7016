#!/usr/bin/env bash
# Builds the benchmarks and runs them all; bench/README.md says what each
# one measures. Usage: tools/bench.sh [runs]   (start-up and memory runs, default 7)
# With BENCH_SUITE=1 it also times the test suite as tools/test.sh runs it
# first (without the fuzzing stage and the long clumsy-bot test), with -j2.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-7}
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j 2 --target glimmet lum_bench lum_gl_bench title_watch bare_window picture_window
B=build/bench

echo "== MD2 decoding"
"$B/lum_bench"
echo "== Level loads and the frame's CPU work"
# Without the loaders' log lines.
ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$B/lum_gl_bench" | grep -vF " : INFO: "
echo "== Start to title"
bash bench/startup/start_to_title.sh build/glimmet "$B" "$RUNS" | tail -n 2
echo "== Frames a second, the game replaying levels 1 to 3 (3 runs)"
bash bench/frame_rate.sh "$B" 3 build/glimmet | tail -n 7
echo "== Peak memory over levels 1 to 3"
bash bench/startup/peak_memory.sh build/glimmet "$B" "$RUNS" | tail -n 1

if [ "${BENCH_SUITE:-0}" = 1 ]; then
  cmake --build build -j 2
  (cd build && /usr/bin/time -f "== Test suite, ctest -j2 -LE 'fuzz|clumsy|soak': %e s wall, %U s user, %S s system" \
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest -j2 -LE 'fuzz|clumsy|soak' >/dev/null)
fi
