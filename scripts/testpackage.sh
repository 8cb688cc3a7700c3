#!/usr/bin/env bash
# Makes the Debian packages of a build folder with cpack (quorvinthal, libquorvinthal1,
# libquorvinthal-dev), checks their control fields and contents, unpacks them into a temporary
# folder and uses them there: the application runs the example dates headless, prints --version
# and refuses to start without a display in one line; an example program builds against the
# development files alone, with CMake and with pkg-config, and runs. The library exports the public API only. The desktop
# entry and the metainfo go through their validators, each package through lintian (no errors,
# no warnings, no hardening or section tags); the manual page names every option.
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

arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
cpack -G DEB -B "$work/out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
app="$work/out/quorvinthal_${version}_$arch.deb"
lib="$work/out/libquorvinthal1_${version}_$arch.deb"
dev="$work/out/libquorvinthal-dev_${version}_$arch.deb"
for deb in "$app" "$lib" "$dev"; do
    [ -f "$deb" ] || fail "no $(basename "$deb") (cpack made: $(ls "$work/out"))"
done

# Depends: the application on its exact library, the library on Qt 6, the development files on
# the library and what its CMake package and pkg-config file ask for. The application and the
# library recommend Qt's translations (German dialogs) and its Wayland plugin.
depends() { dpkg-deb -f "$1" Depends; }
lists() { # package, field, entry (with its version clause when given)
    local value
    value=$(dpkg-deb -f "$1" "$2")
    [[ ", $value," == *", $3"[\ ,]* ]] || fail "$(basename "$1"): $2 lacks $3: $value"
}
needs() { lists "$1" Depends "$2"; }
for deb in "$app" "$lib"; do
    lists "$deb" Recommends qt6-translations-l10n
    lists "$deb" Recommends qt6-wayland
done
needs "$app" "libquorvinthal1 (= $version)"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libutf8proc2 libc6; do
    needs "$lib" "$library"
done
for package in "libquorvinthal1 (= $version)" qt6-base-dev libutf8proc-dev; do
    needs "$dev" "$package"
done
[ "$(dpkg-deb -f "$app" Section)" = utils ] || fail "the application's Section is not utils"
[ "$(dpkg-deb -f "$lib" Section)" = libs ] || fail "the library's Section is not libs"
[ "$(dpkg-deb -f "$dev" Section)" = libdevel ] || fail "the development Section is not libdevel"

contents() { dpkg-deb --fsys-tarfile "$1" | tar -t | sed 's|^\.||; s|/$||'; }
holds() { # package, files it must hold
    local deb="$1" file
    shift
    contents "$deb" >"$work/contents"
    for file in "$@"; do
        grep -qxF "$file" "$work/contents" || fail "$(basename "$deb") lacks $file"
    done
}
holds "$app" /usr/bin/quorvinthal /usr/bin/quorvinthal-snapshot \
    /usr/share/applications/org.quorvinthal.Quorvinthal.desktop \
    /usr/share/metainfo/org.quorvinthal.Quorvinthal.metainfo.xml \
    /usr/share/man/man1/quorvinthal.1.gz /usr/share/man/man1/quorvinthal-snapshot.1.gz \
    /usr/share/doc/quorvinthal/copyright /usr/share/doc/quorvinthal/changelog.gz \
    $(for size in 16 22 24 32 48 64 128 256; do
        echo "/usr/share/icons/hicolor/${size}x${size}/apps/quorvinthal.png"
    done)
if grep -qE '^/usr/(include|lib)/' "$work/contents"; then
    fail "the application's package holds the toolkit's files"
fi
holds "$lib" "/usr/lib/$multiarch/libquorvinthal.so.1" "/usr/lib/$multiarch/libquorvinthal.so.$version" \
    "/usr/lib/$multiarch/quorvinthal/audio.so" \
    /usr/share/quorvinthal/sysbeep.aif "/usr/share/quorvinthal/MenloBold 8x16.font" \
    "/usr/share/quorvinthal/MenloBold 16x32.font" "/usr/share/quorvinthal/MenloRegular 16x32.font" \
    /usr/share/doc/libquorvinthal1/copyright
holds "$dev" /usr/include/quorvinthal/toolkit.h "/usr/lib/$multiarch/libquorvinthal.so" \
    "/usr/lib/$multiarch/libquorvinthal.a" "/usr/lib/$multiarch/pkgconfig/quorvinthal.pc" \
    "/usr/lib/$multiarch/cmake/Quorvinthal/QuorvinthalConfig.cmake" \
    /usr/share/doc/libquorvinthal-dev/examples/textdemo.cpp /usr/share/doc/libquorvinthal-dev/copyright
if grep -qE '^/usr/(bin|share/applications)' "$work/contents"; then
    fail "the development package holds the application"
fi

# The unpacked application runs where it lies, headless and without a display.
dpkg-deb -x "$app" "$work/root"
dpkg-deb -x "$lib" "$work/root"
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
# Without a display: one German line and status 1, no abort.
status=0
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM \
    "$bin/quorvinthal" 2>&1) || status=$?
[ "$status" = 1 ] && [ "$(grep -c . <<<"$printed")" = 1 ] && [[ "$printed" == *"kein Bildschirm"* ]] ||
    fail "quorvinthal without a display ended with status $status and printed: $printed"

# The manual page names every option of --help, every Ctrl+Shift key it names, and the
# pictures' file names as they are written.
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$work/root/usr/share/man/man1/quorvinthal.1.gz" 2>&1)
for word in $("$bin/quorvinthal" --help | grep -oE -- '--[a-z]+|Strg\+Umschalt\+[A-Z]' | sort -u) \
    'window<n>.png'; do
    grep -qF -- "$word" <<<"$manual" || fail "the manual page lacks $word"
done

# The shared library exports the public API and nothing of the toolkit's insides.
library="$work/root/usr/lib/$multiarch/libquorvinthal.so.1"
nm -DC --defined-only "$library" | awk '{ $1 = ""; $2 = ""; print substr($0, 3) }' >"$work/exports"
grep -c . "$work/exports" >/dev/null || fail "the library exports nothing"
if grep -vE '^(t_|g_)[A-Za-z]+|^QUORVINTHAL_1$' "$work/exports"; then
    fail "the library exports the symbols above, which are not the public API"
fi

# The development files, unpacked beside the library, build an example with CMake and with
# pkg-config; each program runs.
dpkg-deb -x "$dev" "$work/root"
libdir="$work/root/usr/lib/$multiarch"
examples="$work/root/usr/share/doc/libquorvinthal-dev/examples"
cmake -S "$examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$work/root/usr" \
    >"$work/examples.log" 2>&1 && cmake --build "$work/examples" -j2 >>"$work/examples.log" 2>&1 ||
    { tail -n 30 "$work/examples.log" >&2; fail "the packaged examples do not build with CMake"; }
export PKG_CONFIG_SYSROOT_DIR="$work/root" PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046 # the flags are words
c++ "$examples/textdemo.cpp" $(pkg-config --cflags --libs quorvinthal) -o "$work/textdemo" ||
    fail "the packaged textdemo does not build with pkg-config"
for program in "$work/examples/textdemo" "$work/textdemo"; do
    LD_LIBRARY_PATH="$libdir" "$program" --keys 'Ada\r\x1a42\r' --out "$work/demo" \
        >"$work/demo.log" 2>&1 || { cat "$work/demo.log" >&2; fail "$program failed"; }
    grep -qxF "Hallo, Ada! 42 zum Quadrat ist 1764." "$work/demo/screen.txt" ||
        fail "$program did not greet Ada"
done

desktop-file-validate "$work/root/usr/share/applications/org.quorvinthal.Quorvinthal.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net \
    "$work/root/usr/share/metainfo/org.quorvinthal.Quorvinthal.metainfo.xml" \
    >"$work/appstream.log" || { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
# Pedantic, with the informational tags: hardened as Debian builds (stack protector, fortified
# functions, full RELRO, PIE) and no .comment sections.
for deb in "$app" "$lib" "$dev"; do
    lintian --allow-root --pedantic --display-info --tag-display-limit 0 "$deb" \
        >"$work/lintian.log" 2>&1 || true
    if grep -qE '^[EW]: |hardening-|has-unneeded-section' "$work/lintian.log"; then
        cat "$work/lintian.log" >&2
        fail "lintian reports errors, warnings, hardening or section tags on $(basename "$deb")"
    fi
done
echo "testpackage: three packages; the unpacked application runs the example dates, the" \
    "development files build and run an example; Depends: $(depends "$app")"
