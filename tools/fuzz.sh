#!/usr/bin/env bash
# Builds the configuration parser's libFuzzer target with clang (sanitizers
# on) into build-fuzz/ and runs it for a bounded time, 30 s unless a number
# of seconds is given, on the seed corpus in tests/fuzz/corpus.
# New inputs the fuzzer finds go to a scratch directory, not into the
# repository; a crash leaves its input in build-fuzz/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

cmake -S . -B build-fuzz -DGLIMMET_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j 2 --target config_fuzzer

# The fuzzer works in a scratch directory of its own, so every path is absolute.
here="$(pwd)"
found="$(mktemp -d)"
trap 'rm -rf "$found"' EXIT
"$here/build-fuzz/config_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=4096 -dict="$here/tests/fuzz/config.dict" -artifact_prefix="$here/build-fuzz/" \
  -print_final_stats=1 "$found" "$here/tests/fuzz/corpus"
