#!/usr/bin/env bash
# Installs what the tests need, builds everything and runs the whole suite
# headless: graphics tests in an Xvfb display, sound on OpenAL's null output;
# then a short soak of deaths and restarts; then the loaders under libFuzzer;
# then the game and its tests again under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
cd build
# -noreset: without it the X server resets whenever its last client leaves,
# and a test that connects during the reset finds no display.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --output-on-failure -j "$(nproc)" -LE 'clumsy|fuzz|soak'
ctest --output-on-failure -L soak
# One target after another: they share one build of their own.
ctest --output-on-failure -L fuzz
cd ..
bash tools/sanitize.sh
