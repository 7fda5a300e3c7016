#!/usr/bin/env bash
# Builds the engine and its headless tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs the tests there. Any
# memory error, leak of our own or undefined behaviour fails the run;
# tools/sanitizers.supp lists the third-party leaks that are let through.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

# GCC mistakes the sanitizers' instrumentation of libstdc++'s <regex> for
# reads of uninitialised values; that one warning stays off here.
flags="-O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined"
flags="$flags -Wno-maybe-uninitialized"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=None -DGLIMMET_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j "$(nproc)" --target glimmet lum_tests

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tools/sanitizers.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# As the normal suite runs them: sound on OpenAL's null output, and once
# with no audio device at all.
ALSOFT_DRIVERS=null build-asan/tests/lum_tests --gtest_brief=1 --gtest_filter=-SilentSound.*
ALSOFT_DRIVERS=no-such-driver build-asan/tests/lum_tests --gtest_brief=1 --gtest_filter=SilentSound.*
echo "sanitize.sh: engine and headless tests clean under ASan and UBSan in $((SECONDS - start)) s"
