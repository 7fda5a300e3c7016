#!/usr/bin/env bash
# The Debian package made from the build tree ($1) with cpack: named after the
# version, holding the programs, the data, the menu entry, the icons, the
# AppStream metadata and the manual page, listing the libraries it needs,
# and with a desktop file and metadata that their validators accept.
set -u
BUILD=$(cd "$1" && pwd)
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$OUT/cpack.txt" ] && tail -n 40 "$OUT/cpack.txt" >&2
  exit 1
}

VERSION=$("$BUILD/glimmet" --version | sed -n 's/^glimmet //p')
[ -n "$VERSION" ] || fail "glimmet --version printed no version"
(cd "$BUILD" && cpack -G DEB -B "$OUT/package") >"$OUT/cpack.txt" 2>&1 || fail "cpack failed"
DEB="$OUT/package/glimmet_${VERSION}_amd64.deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB"); cpack made: $(ls "$OUT/package")"

dpkg-deb -c "$DEB" | awk '{ print $6 }' >"$OUT/contents.txt"
for file in ./usr/bin/glimmet ./usr/bin/glimmet-cfgcheck \
    ./usr/share/glimmet/resources/settings.cfg ./usr/share/glimmet/resources/levels/level3.cfg \
    ./usr/share/glimmet/resources/textures/font.tga ./usr/share/glimmet/resources/sounds/SFXroll.ogg \
    ./usr/share/applications/io.github.glimmet.Glimmet.desktop \
    ./usr/share/metainfo/io.github.glimmet.Glimmet.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/glimmet.png ./usr/share/icons/hicolor/128x128/apps/glimmet.png \
    ./usr/share/icons/hicolor/256x256/apps/glimmet.png ./usr/share/icons/hicolor/scalable/apps/glimmet.svg \
    ./usr/share/man/man6/glimmet.6; do
  grep -qxF "$file" "$OUT/contents.txt" || fail "the package has no $file"
done

dpkg-deb -I "$DEB" >"$OUT/info.txt"
grep -q "^ Package: glimmet$" "$OUT/info.txt" || fail "the package is not called glimmet"
grep -q "^ Version: $VERSION$" "$OUT/info.txt" || fail "the package's version is not $VERSION"
grep -q "^ Architecture: amd64$" "$OUT/info.txt" || fail "the package is not for amd64"
DEPENDS=$(sed -n 's/^ Depends: //p' "$OUT/info.txt")
for library in libc6 libstdc++6 libglfw3 libglew2.2 libglx0 libopengl0 libbullet libdevil1c2 libopenal1 libalut0 \
    libvorbisfile3 libboost-filesystem1.74.0 libboost-program-options1.74.0; do
  [[ "$DEPENDS" == *"$library"* ]] || fail "the dependencies lack $library: $DEPENDS"
done

dpkg-deb -x "$DEB" "$OUT/root"
desktop-file-validate "$OUT/root/usr/share/applications/io.github.glimmet.Glimmet.desktop" ||
  fail "desktop-file-validate refused the desktop file"
appstreamcli validate --no-net "$OUT/root/usr/share/metainfo/io.github.glimmet.Glimmet.metainfo.xml" ||
  fail "appstreamcli refused the metainfo file"
grep -q "<release version=\"$VERSION\"" "$OUT/root/usr/share/metainfo/io.github.glimmet.Glimmet.metainfo.xml" ||
  fail "the metainfo file has no release $VERSION"
[ "$("$OUT/root/usr/bin/glimmet" --version)" = "glimmet $VERSION" ] || fail "the packaged program does not run"
echo "ok: $(basename "$DEB") with its files, dependencies ($DEPENDS), valid desktop file and metainfo"
