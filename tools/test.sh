#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: graphics tests in an Xvfb display, sound on OpenAL's null output.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
cd build
xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j "$(nproc)"
