#!/usr/bin/env bash
# Builds the Debian package from a build folder, as `cpack -G DEB` does for a
# release, and checks what a player's machine would get: every file in its
# place, the shared libraries declared as dependencies, and a desktop entry
# and AppStream metadata that the validators accept.
# Usage: check_package.sh BUILD_DIR VERSION APP_ID
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
app_id=$3
out=$build/package
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$out" && mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$out/korvel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$out")"

dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|' | grep -v '/$' | sort >"$out/files.txt"
sort >"$out/expected.txt" <<EOF
/usr/bin/korvel
/usr/bin/korvel-cli
/usr/share/applications/korvel.desktop
/usr/share/icons/hicolor/128x128/apps/korvel.png
/usr/share/icons/hicolor/256x256/apps/korvel.png
/usr/share/icons/hicolor/48x48/apps/korvel.png
/usr/share/icons/hicolor/scalable/apps/korvel.svg
/usr/share/korvel/BGM.wav
/usr/share/korvel/Korvel.htm
/usr/share/korvel/about.png
/usr/share/korvel/その他.wav
/usr/share/korvel/禁止.wav
/usr/share/korvel/駒打音.wav
/usr/share/metainfo/$app_id.metainfo.xml
EOF
diff -u "$out/expected.txt" "$out/files.txt" || fail "the package's files differ from the list above"

# The libraries the two programs link, found by dpkg-shlibdeps, and the
# plugins and font named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 \
  qt6-qpa-plugins fonts-ipafont-mincho; do
  [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p: $depends"
done

dpkg-deb -x "$deb" "$out/root"
desktop-file-validate "$out/root/usr/share/applications/korvel.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
echo "package: passed ($(basename "$deb"))"
