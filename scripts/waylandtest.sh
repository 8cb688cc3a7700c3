#!/usr/bin/env bash
# The application natively on Wayland: sway with its headless backend, typed into with wtype and
# photographed with grim. The chart window must show the snapshot's chart pixel for pixel; the
# windows carry the desktop entry's app id; Ctrl+Shift+R runs the program again where its windows
# are, and Ctrl+Shift+Q ends it with status 0.
#
# sway refuses to run as root: run as root (as CI does), the test makes an unprivileged user of
# its own and runs sway, the application and the tools as that user, from a copy of the build's
# programs, library and data that the user may read.
#
#   scripts/waylandtest.sh BUILD_DIR SCREENPROBE
set -uo pipefail
build="$(cd "$1" && pwd)"
probe="$2"
user=quorvinthal-wayland
appid=org.quorvinthal.Quorvinthal
source "$(dirname "$0")/desktopchecks.sh"
chmod 755 "$work"

fail() {
    echo "waylandtest: $*"
    [ -f "$work/log" ] && cat "$work/log"
    exit 1
}

# Runs a command as the user, with nothing of this environment but the Wayland session's.
session=()
asuser() {
    env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "${session[@]}" \
        "${become[@]}" "$@"
}
become=()
if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 ||
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user" ||
        fail "cannot make the user $user"
    become=(setpriv --reuid="$(id -u "$user")" --regid="$(id -g "$user")" --clear-groups)
fi
mkdir -m 700 "$work/run" "$work/home"
[ "$(id -u)" -eq 0 ] && chown "$user" "$work/run" "$work/home"

# The programs, the library and the data, as an installed tree is laid out.
tree="$work/tree"
mkdir -p "$tree"
cp -a "$build/bin" "$build/lib" "$build/share" "$tree/"
chmod -R a+rX "$tree"

# The expected pictures: the snapshot of the example run.
"$build/bin/quorvinthal-snapshot" --today 06.12.2026 --keys '5.12.1985\r\x1a05.12.2026\r' \
    --out "$work/expected" >"$work/snapshot.log" 2>&1 || fail "the snapshot failed"

# Every window of the application floats at the size it asks for; the chart keeps its pixels.
cat >"$work/sway.conf" <<EOF
output HEADLESS-1 resolution 1920x1200
default_border none
default_floating_border none
for_window [app_id="^$appid\$"] floating enable
EOF
chmod a+r "$work/sway.conf"
# Started without a function in between, so that $! is sway itself.
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" WLR_BACKENDS=headless \
    WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 "${become[@]}" \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    compgen -G "$work/run/wayland-*.lock" >/dev/null && compgen -G "$work/run/sway-ipc.*" >/dev/null &&
        break
    sleep 0.05
done
socket=$(basename "$(compgen -G "$work/run/wayland-*.lock" | head -1)" .lock)
ipc=$(compgen -G "$work/run/sway-ipc.*" | head -1)
[ -n "$socket" ] && [ -n "$ipc" ] || { cat "$work/sway.log"; fail "sway did not start"; }
session=(WAYLAND_DISPLAY="$socket" SWAYSOCK="$ipc")

# Focuses (and raises) the application's window whose title matches; false while there is none.
focus() { # title pattern
    asuser swaymsg "[app_id=\"^$appid\$\" title=\"$1\"] focus" >/dev/null 2>&1
}

waitwindow() { # title pattern
    for _ in $(seq 200); do focus "$1" && return 0; sleep 0.05; done
    return 1
}

# wtype makes a keyboard of its own for each run; the first keys would reach the window before
# the toolkit has taken the keyboard's focus, so each run waits a moment before typing.
typekeys() {
    asuser wtype -s 300 -d 10 "$@"
}

typedates() {
    focus '^Quorvinthal$' && typekeys 5.12.1985 -k Return -M ctrl z -m ctrl 05.12.2026 -k Return
}

# Where the picture (or its top-left part WIDTH x HEIGHT) shows on the screen, "x y"; empty
# when nowhere.
shownat() { # window title pattern, expected picture, [width height]
    focus "$1" || return 0
    sleep 0.3
    asuser grim "$work/run/screen.png" || return 0
    "$probe" "$work/run/screen.png" find "$2" "${@:3}" 2>>"$work/probe.log"
}

# True when the picture shows again where it showed before.
stillat() { # the place before, then what shownat takes
    [ -n "$1" ] && [ "$(shownat "${@:2}")" = "$1" ]
}

ended='t_QuitProgram: Quitting current thread with message in window #0.'
chart='für den 05.12.2026'

env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" "${session[@]}" \
    QT_QPA_PLATFORM=wayland "${become[@]}" "$tree/bin/quorvinthal" >"$work/log" 2>&1 &
app=$!
pids+=($app)
check "the text window shows up with the app id $appid" waitwindow '^Quorvinthal$'
typedates
check "the typed dates draw the chart" waitline "$ended"
check "the chart window shows up" waitwindow "$chart"
chartat=$(shownat "$chart" "$work/expected/window1.png")
check "the chart window shows the snapshot's chart pixel for pixel" test -n "$chartat"
textat=$(shownat '^Quorvinthal$' "$work/expected/window0.png" 400 40)
check "the text window shows the snapshot's head line" test -n "$textat"

focus '^Quorvinthal$' && typekeys -M ctrl -M shift r -m shift -m ctrl
check "Ctrl+Shift+R runs the program again" waitline "Program: Start." 10 2
typedates
check "the typed dates draw the chart again" waitline "$ended" 10 2
check "the chart again, where it was ($chartat)" \
    stillat "$chartat" "$chart" "$work/expected/window1.png"
check "the text window where it was ($textat)" \
    stillat "$textat" '^Quorvinthal$' "$work/expected/window0.png" 400 40

focus '^Quorvinthal$' && typekeys -M ctrl -M shift q -m shift -m ctrl
check "Ctrl+Shift+Q ends the application with status 0" endswithin 5

summary waylandtest "$work/log" "$work/probe.log"
