#!/usr/bin/env bash
# The application on a real desktop: Xvfb with the openbox window manager, driven with xdotool
# and wmctrl. Checks quitting (menu key from either window, also while the program waits for a
# key, and closing both windows), that every frame lies inside the screen, that a window resized
# by the user shows the whole chart, crisp pixels at twice the density, and running the program
# again.
#
#   scripts/desktoptest.sh BUILD_BIN_DIR XWDPROBE   (the examples are in BUILD_BIN_DIR/../examples)
set -uo pipefail
source "$(dirname "$0")/xdisplay.sh"
bin="$1"
probe="$2"
work=$(mktemp -d)
failures=0
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

check() { # description, command...
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAILED: $what"
        failures=$((failures + 1))
    fi
}

# A fresh X display of the given size with openbox on it.
desktop() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    pids=()
    startxdisplay "$work" "$1"
}

# Starts a program of the build; its log goes to $work/log.
start() {
    "$bin/$1" "${@:2}" >"$work/log" 2>&1 &
    app=$!
    xdotool search --sync --onlyvisible --name "${windowname:-Quorvinthal}" >/dev/null
}

waitline() { # a log line, seconds
    for _ in $(seq $((${2:-10} * 20))); do
        grep -qF -- "$1" "$work/log" && return 0
        sleep 0.05
    done
    return 1
}

# The program's two dates, typed into the text window.
typedates() {
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Quorvinthal$' | head -1)"
    xdotool type --delay 20 '5.12.1985'
    xdotool key Return ctrl+z
    xdotool type --delay 20 '05.12.2026'
    xdotool key Return
}

# Waits for the process to end; true when it ended with status 0 within the seconds given.
endswithin() { # seconds
    for _ in $(seq $(($1 * 20))); do
        if ! kill -0 "$app" 2>/dev/null; then
            wait "$app"
            return $?
        fi
        sleep 0.05
    done
    return 1
}

# Every shown window's frame (client position less the frame extents) inside the screen.
framesinside() {
    local screen w h ok=0
    screen=$(xdotool getdisplaygeometry)
    w=${screen% *}
    h=${screen#* }
    for id in $(wmctrl -l | awk '{print $1}'); do
        local x y cw ch l r t b
        x=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {print $NF}')
        y=$(xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $NF}')
        cw=$(xwininfo -id "$id" | awk '/Width:/ {print $NF}')
        ch=$(xwininfo -id "$id" | awk '/Height:/ {print $NF}')
        read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
        if [ $((x - l)) -lt 0 ] || [ $((y - t)) -lt 0 ] || [ $((x + cw + r)) -gt "$w" ] ||
            [ $((y + ch + b)) -gt "$h" ]; then
            echo "  frame of $(xprop -id "$id" WM_NAME | cut -d'"' -f2) outside ${w}x$h:" \
                "client $x,$y ${cw}x$ch, extents $l $r $t $b"
            ok=1
        fi
    done
    return $ok
}

chartwindow() {
    xdotool search --onlyvisible --name 'für den' | head -1
}

ended='t_QuitProgram: Quitting current thread with message in window #0.'

# 1. A full run on a large screen: frames, resizing, running again, quitting from the chart.
desktop 1920x1200
start quorvinthal
typedates
check "the chart is drawn (1920 x 1200)" waitline "$ended"
check "every frame inside a 1920 x 1200 screen" framesinside
chart=$(chartwindow)
xdotool windowsize --sync "$chart" 672 451
sleep 0.5
xwd -id "$chart" -silent >"$work/chart.xwd"
check "the chart window at about half its size shows the whole chart" "$probe" "$work/chart.xwd" chart
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Quorvinthal$' | head -1)"
xdotool key ctrl+shift+r
sleep 0.5
typedates
check "Ctrl+Shift+R runs the program again: a second chart" \
    bash -c "for i in \$(seq 200); do [ \$(grep -cF '$ended' '$work/log') = 2 ] && exit 0; sleep 0.05; done; exit 1"
xdotool windowactivate --sync "$(chartwindow)"
xdotool key ctrl+shift+q
check "Ctrl+Shift+Q in the chart window ends the application with status 0" endswithin 1
check "quitting says so" grep -qF 'applicationWillTerminate: Called.' "$work/log"

# 2. A small screen: the windows are scaled to fit; closing both through the window manager quits.
desktop 1366x768
start quorvinthal
typedates
check "the chart is drawn (1366 x 768)" waitline "$ended"
check "every frame inside a 1366 x 768 screen" framesinside
wmctrl -c "für den"
sleep 0.3
check "closing one of two windows leaves the application running" kill -0 "$app"
wmctrl -c Quorvinthal
check "closing the last window ends the application with status 0" endswithin 2

# 3. Quitting while the program waits for a key.
start quorvinthal
waitline "t_InitWindow: GraphicWindow #1 End." >/dev/null
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Quorvinthal$' | head -1)"
xdotool key ctrl+shift+q
check "Ctrl+Shift+Q while the line editor waits ends the application with status 0" endswithin 1

# 4. Twice the density: whole pixels, no smoothing.
desktop 1920x1200
QT_SCALE_FACTOR=2 windowname=Grafikbeispiel start ../examples/graphicsdemo
sleep 0.5
xwd -id "$(xdotool search --onlyvisible --name Grafikbeispiel | head -1)" -silent >"$work/demo.xwd"
check "at QT_SCALE_FACTOR=2 every picture pixel is a crisp 2 x 2 block" "$probe" "$work/demo.xwd" crisp
kill "$app" 2>/dev/null

if [ "$failures" -ne 0 ]; then
    echo "desktoptest: $failures checks failed; the last log:"
    cat "$work/log"
    exit 1
fi
echo "desktoptest: every check passed"
