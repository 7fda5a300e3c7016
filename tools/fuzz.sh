#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitizers on) into build-fuzz/
# and runs them, each for a bounded time: 30 s unless a number of seconds is
# given, all targets unless some are named.
#   tools/fuzz.sh [seconds] [config|md2|texture|ogg|level|replay|records|settings ...]
# Each target starts from its seed corpus and the inputs that once broke its
# loader (tests/fuzz/<target>/seeds and regressions; the configuration
# parser's seeds are tests/fuzz/corpus). A whole level must build or be
# refused within 512 MB, and within a second of processor time: its limit of
# 3 s of real time leaves room for a machine shared with other work, where a
# level of 0.3 s was seen to take 2 s. New inputs the fuzzer finds go to a
# scratch directory, not into the repository; a crash, a stall or a balloon
# leaves its input in build-fuzz/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(config md2 texture ogg level replay records settings)
fi

binaries=()
for target in "${targets[@]}"; do
  case "$target" in
    config|md2|texture|ogg|level|replay|records|settings) binaries+=("${target}_fuzzer") ;;
    *) echo "fuzz.sh: unknown target '$target' (config, md2, texture, ogg, level, replay, records or settings)" >&2; exit 2 ;;
  esac
done

cmake -S . -B build-fuzz -DGLIMMET_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j 2 --target "${binaries[@]}"

# The fuzzers work in scratch directories of their own, so every path is absolute.
here="$(pwd)"
found="$(mktemp -d)"
trap 'rm -rf "$found"' EXIT

# Leaks inside third-party libraries that the fuzzers are allowed.
export LSAN_OPTIONS="suppressions=$here/tools/sanitizers.supp"

run() {
  local target="$1" max_len="$2" timeout="$3" rss="$4"
  shift 4
  echo "fuzz.sh: $target for $seconds s"
  mkdir -p "$found/$target"
  "$here/build-fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout="$timeout" \
    -rss_limit_mb="$rss" -max_len="$max_len" -artifact_prefix="$here/build-fuzz/$target-" \
    -print_final_stats=1 "$found/$target" "$@"
}

from() {
  echo "$here/tests/fuzz/$1/seeds" "$here/tests/fuzz/$1/regressions"
}

for target in "${targets[@]}"; do
  case "$target" in
    config) run config 4096 10 2048 -dict="$here/tests/fuzz/config.dict" "$here/tests/fuzz/corpus" ;;
    level) run level 16384 3 512 -dict="$here/tests/fuzz/config.dict" $(from level) ;;
    records|settings) run "$target" 4096 10 2048 -dict="$here/tests/fuzz/config.dict" $(from "$target") ;;
    *) run "$target" 16384 10 2048 $(from "$target") ;;
  esac
done
