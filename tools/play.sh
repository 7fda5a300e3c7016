#!/usr/bin/env bash
# Installs what the game needs, builds it and starts it from the repository
# root, where it finds resources/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
exec ./build/glimmet
