#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs there what a player
# runs: the headless tests, the graphics tests (in an Xvfb display) and a
# whole level played end to end by the sanitized game, a recorded run of
# level 1 replayed. Any memory error, undefined behaviour or leak of our own
# fails the run; tools/sanitizers.supp lists
# the third-party leaks that are let through, each by name with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

# GCC mistakes the sanitizers' instrumentation of libstdc++'s <regex> for
# reads of uninitialised values; that one warning stays off here.
flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
flags="$flags -Wno-maybe-uninitialized"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=None -DGLIMMET_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j "$(nproc)" --target glimmet lum_tests lum_gl_tests

supp="$(pwd)/tools/sanitizers.supp"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# As the normal suite runs them: sound on OpenAL's null output, and once
# with no audio device at all.
ALSOFT_DRIVERS=null build-asan/tests/lum_tests --gtest_brief=1 --gtest_filter=-SilentSound.*
ALSOFT_DRIVERS=no-such-driver build-asan/tests/lum_tests --gtest_brief=1 --gtest_filter=SilentSound.*
echo "sanitize.sh: headless tests clean after $((SECONDS - start)) s"

# The graphics tests but the bots' playthroughs of every level, which the
# replay below stands for here at a fraction of their time. Mesa's driver is
# kept loaded to the end: unloaded at exit before the leak check, the few
# bytes it still held would count as leaked with a stack no suppression can
# name. Only the programs under test get it, not Xvfb.
xvfb=(xvfb-run -a -s "-screen 0 1024x768x24 -noreset")
dri=$(find /usr/lib -name swrast_dri.so -print -quit)
kept=(env LD_PRELOAD="$(gcc -print-file-name=libasan.so):$dri")
ALSOFT_DRIVERS=null "${xvfb[@]}" "${kept[@]}" build-asan/tests/lum_gl_tests --gtest_brief=1 \
  --gtest_filter=-*Playthrough*:Level/LevelReplay.*
echo "sanitize.sh: graphics tests clean after $((SECONDS - start)) s"

# Level 1 from its start to its end screen in the game itself.
ALSOFT_DRIVERS=null "${xvfb[@]}" "${kept[@]}" build-asan/glimmet --windowed 320x240 \
  --replay tests/replays/level1.replay
echo "sanitize.sh: the game clean over a replayed level 1 in $((SECONDS - start)) s"
