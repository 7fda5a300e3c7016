#!/usr/bin/env bash
# Installs what the build needs, builds the game and makes its Debian package
# build/glimmet_<version>_amd64.deb; install it with
#   sudo apt-get install ./build/glimmet_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh
cd build
cpack -G DEB
ls "$PWD"/glimmet_*_amd64.deb
