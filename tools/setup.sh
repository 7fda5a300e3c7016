#!/usr/bin/env bash
# Installs every Debian package the game, its tests and its asset tools need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libboost-dev libboost-filesystem-dev libboost-system-dev libboost-program-options-dev
  libbullet-dev libglm-dev libglfw3-dev libglew-dev libgl-dev libgl1-mesa-dri libx11-dev
  libdevil-dev libopenal-dev libalut-dev libvorbis-dev
  bison flex libcairo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick mesa-utils
  sox vorbis-tools fonts-dejavu-core python3
  dpkg-dev file desktop-file-utils appstream clang-format git
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
