#!/usr/bin/env bash
# Installed into a fresh prefix and started from a directory that has nothing
# of the game, the program finds its installed data, goes straight into
# level 1 with --level 1, and Escape ends it with status 0.
set -u
source "$(dirname "$0")/lib.sh"
own_display "$@"
BUILD=$1
TEXTURES=$(cd "$(dirname "$0")/../../resources/textures" && pwd)
PREFIX=$(mktemp -d)
ELSEWHERE=$(mktemp -d)
trap 'rm -rf "$PREFIX" "$ELSEWHERE"' EXIT

cmake --install "$BUILD" --prefix "$PREFIX" >"$ELSEWHERE/install.txt" 2>&1 ||
  { cat "$ELSEWHERE/install.txt" >&2; echo "FAIL: cmake --install failed" >&2; exit 1; }
for file in bin/glimmet bin/glimmet-cfgcheck share/glimmet/resources/settings.cfg \
    share/glimmet/resources/textures/loading.tga share/man/man6/glimmet.6 \
    share/applications/io.github.glimmet.Glimmet.desktop \
    share/metainfo/io.github.glimmet.Glimmet.metainfo.xml \
    share/icons/hicolor/48x48/apps/glimmet.png share/icons/hicolor/128x128/apps/glimmet.png \
    share/icons/hicolor/256x256/apps/glimmet.png share/icons/hicolor/scalable/apps/glimmet.svg; do
  [ -f "$PREFIX/$file" ] || { echo "FAIL: $file was not installed" >&2; exit 1; }
done

cd "$ELSEWHERE"
unset GLIMMET_DATA
launch_game "$PREFIX/bin/glimmet" --level 1 $SMALL_WINDOW
trap 'stop_game; rm -rf "$WORK" "$PREFIX" "$ELSEWHERE"' EXIT

# F12 answers only in a running level, standing on the ground.
player_position >/dev/null || exit 1
screenshot "$WIN" "$WORK/frame.png"
LOADING=$(picture_difference "$WORK/frame.png" "$TEXTURES/loading.tga")
TITLE=$(picture_difference "$WORK/frame.png" "$TEXTURES/start.tga")
SPREAD=$(convert "$WORK/frame.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
below "$LOADING" 0.1 && fail "the loading picture still shows (difference $LOADING)"
below "$TITLE" 0.1 && fail "--level 1 showed the title screen (difference $TITLE)"
below "$SPREAD" 0.02 && fail "the window shows one flat colour"
press_escape
expect_early_exit 20
echo "ok: installed, found its data from $ELSEWHERE, level 1 at once, Escape with status 0"
