#!/usr/bin/env bash
# Regenerates every generated file under resources/, and the icons under
# packaging/icons/, from the generators in this directory. Needs python3,
# ImageMagick's convert and fonts-dejavu-core (all in tools/setup.sh). The output is byte for byte the same on every run,
# so `git status` stays clean unless a generator changed.
#
# The shaders and the ramp file "celShaderTex" are sources in their own right
# and are not touched here.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
resources="$here/../../resources"

# A fixed locale, so text is drawn the same everywhere; no bytecode
# caches left next to the generators.
export LC_ALL=C.UTF-8
export PYTHONDONTWRITEBYTECODE=1

mkdir -p "$resources/textures" "$resources/models"
python3 "$here/font.py" "$resources/textures/font.tga"
python3 "$here/screens.py" "$resources/textures"
python3 "$here/textures.py" "$resources/textures"
python3 "$here/cube.py" "$resources/models/cube.md2"
python3 "$here/tobble.py" "$resources"
python3 "$here/corn.py" "$resources"
python3 "$here/toyMouse.py" "$resources"
python3 "$here/toyRobot.py" "$resources"
python3 "$here/boxes.py" "$resources"
python3 "$here/door.py" "$resources"
python3 "$here/marker.py" "$resources"
python3 "$here/icons.py" "$resources" "$here/../../packaging/icons"
python3 "$here/room.py" "$resources"
mkdir -p "$resources/sounds"
bash "$here/sounds.sh" "$resources/sounds" 2>/dev/null
