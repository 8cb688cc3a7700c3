#!/usr/bin/env bash
# Makes the Debian package of a build folder with cpack, checks its control fields and contents,
# unpacks it into a temporary folder and runs the unpacked programs there: the example dates
# headless, --version without a display. The desktop entry and the metainfo go through their
# validators, the package through lintian (no errors).
#
#   scripts/testpackage.sh BUILD_DIR VERSION
set -euo pipefail
build="$(cd "$1" && pwd)"
version="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "testpackage: $*" >&2
    exit 1
}

deb="$work/out/quorvinthal_${version}_$(dpkg --print-architecture).deb"
cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
[ -f "$deb" ] || fail "no $(basename "$deb") (cpack made: $(ls "$work/out"))"

# Depends come from the libraries the programs link: the Qt 6 ones among them.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libutf8proc2 libc6; do
    [[ ", $depends," == *", $library "* ]] || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "Section is not utils"

dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\.||; s|/$||' >"$work/contents"
for file in /usr/bin/quorvinthal /usr/bin/quorvinthal-snapshot \
    /usr/share/applications/org.quorvinthal.Quorvinthal.desktop \
    /usr/share/metainfo/org.quorvinthal.Quorvinthal.metainfo.xml \
    /usr/share/man/man1/quorvinthal.1.gz /usr/share/man/man1/quorvinthal-snapshot.1.gz \
    /usr/share/doc/quorvinthal/copyright /usr/share/doc/quorvinthal/changelog.gz \
    /usr/share/quorvinthal/sysbeep.aif "/usr/share/quorvinthal/MenloBold 8x16.font" \
    "/usr/share/quorvinthal/MenloBold 16x32.font" \
    "/usr/share/quorvinthal/MenloRegular 16x32.font"; do
    grep -qxF "$file" "$work/contents" || fail "the package lacks $file"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "/usr/share/icons/hicolor/${size}x${size}/apps/quorvinthal.png" "$work/contents" ||
        fail "the package lacks the ${size}x${size} icon"
done
if grep -qE '^/usr/(include|lib)/' "$work/contents"; then
    fail "the toolkit's development files are in the package"
fi

# The unpacked tree runs where it lies, headless and without a display.
dpkg-deb -x "$deb" "$work/root"
bin="$work/root/usr/bin"
env -u DISPLAY -u WAYLAND_DISPLAY "$bin/quorvinthal-snapshot" --today 06.12.2026 \
    --keys '5.12.1985\r\x1a05.12.2026\r' --out "$work/shot" >"$work/snapshot.log" 2>&1 ||
    { cat "$work/snapshot.log" >&2; fail "the unpacked quorvinthal-snapshot failed"; }
line=$(sed -n 11p "$work/shot/screen.txt")
[ "$line" = "5.12.1985 bis 05.12.2026 = 14.975 Tage." ] || fail "line 11 is: $line"
[ "$(head -n 1 "$work/shot/titles.txt")" = "$(printf '0\tQuorvinthal')" ] ||
    fail "window 0 is titled: $(head -n 1 "$work/shot/titles.txt")"
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/quorvinthal" --version)
[ "$printed" = "quorvinthal $version" ] || fail "quorvinthal --version printed: $printed"

desktop-file-validate "$work/root/usr/share/applications/org.quorvinthal.Quorvinthal.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net \
    "$work/root/usr/share/metainfo/org.quorvinthal.Quorvinthal.metainfo.xml" \
    >"$work/appstream.log" ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
lintian --allow-root --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
if grep -q '^E: ' "$work/lintian.log"; then
    cat "$work/lintian.log" >&2
    fail "lintian reports errors"
fi
echo "testpackage: $(basename "$deb") unpacked runs the example dates; Depends: $depends"
