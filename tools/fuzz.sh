#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (sanitizers on) into build-fuzz/
# and runs them, each for a bounded time: 30 s unless a number of seconds is
# given, all targets unless some are named.
#   tools/fuzz.sh [seconds] [config|md2|texture|ogg ...]
# Each target starts from its seed corpus and the inputs that once broke its
# loader (tests/fuzz/<target>/seeds and regressions; the configuration
# parser's seeds are tests/fuzz/corpus). New inputs the fuzzer finds go to a
# scratch directory, not into the repository; a crash, a stall or a balloon
# leaves its input in build-fuzz/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
targets=("$@")
if [ "${#targets[@]}" -eq 0 ]; then
  targets=(config md2 texture ogg)
fi

binaries=()
for target in "${targets[@]}"; do
  case "$target" in
    config|md2|texture|ogg) binaries+=("${target}_fuzzer") ;;
    *) echo "fuzz.sh: unknown target '$target' (config, md2, texture or ogg)" >&2; exit 2 ;;
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
  local target="$1" max_len="$2"
  shift 2
  echo "fuzz.sh: $target for $seconds s"
  mkdir -p "$found/$target"
  "$here/build-fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len="$max_len" -artifact_prefix="$here/build-fuzz/$target-" \
    -print_final_stats=1 "$found/$target" "$@"
}

for target in "${targets[@]}"; do
  case "$target" in
    config) run config 4096 -dict="$here/tests/fuzz/config.dict" "$here/tests/fuzz/corpus" ;;
    ogg) run ogg 16384 "$here/tests/fuzz/ogg/seeds" "$here/tests/fuzz/ogg/regressions" ;;
    *) run "$target" 16384 "$here/tests/fuzz/$target/seeds" "$here/tests/fuzz/$target/regressions" ;;
  esac
done
