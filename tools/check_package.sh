#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it: the files it installs,
# its dependencies, the desktop entry and AppStream metadata it carries, and that the
# program it installs starts and finds its table database and help document.
# Usage: tools/check_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/kelvo_*.deb)
echo "package: $(basename "$deb")"

fail() { echo "FAIL: $*"; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/kelvo ./usr/share/kelvo/bzztfbb.db ./usr/share/kelvo/kelvo.html \
            ./usr/share/applications/org.kelvo.Kelvo.desktop \
            ./usr/share/metainfo/org.kelvo.Kelvo.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/org.kelvo.Kelvo.png \
            ./usr/share/icons/hicolor/256x256/apps/org.kelvo.Kelvo.png; do
  grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
# Nothing of the build's own tools or tests goes into the package.
if grep -E 'test_|bench_|make_tables|make_icons|kelvo_shots|/include/|\.a$' <<<"$contents"; then
  fail "the package carries build or test files"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libqt6charts6 libqt6printsupport6 libsqlite3-0 libstdc++6 \
           fonts-noto-cjk fonts-dejavu-core qt6-translations-l10n; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Package)" = kelvo ] || fail "the package is not named kelvo"

# The installed tree: metadata valid, and the program starts from it.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/org.kelvo.Kelvo.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.kelvo.Kelvo.metainfo.xml" >/dev/null \
  || fail "AppStream metadata does not validate"
file "$work/root/usr/share/icons/hicolor/256x256/apps/org.kelvo.Kelvo.png" | grep -q "256 x 256" \
  || fail "the 256 px icon is not 256 x 256"
KELVO_QUIT_WHEN_SHOWN=1 KELVO_REPORT_DATA_FILES=1 QT_QPA_PLATFORM=offscreen \
  "$work/root/usr/bin/kelvo" >"$work/run.log" 2>&1 || { cat "$work/run.log"; fail "the installed program did not start"; }
grep -qx "tables: $work/root/usr/share/kelvo/bzztfbb.db" "$work/run.log" \
  || { cat "$work/run.log"; fail "the installed program does not find its table database"; }
grep -qx "help: $work/root/usr/share/kelvo/kelvo.html" "$work/run.log" \
  || { cat "$work/run.log"; fail "the installed program does not find its help document"; }
echo "package checks passed"
