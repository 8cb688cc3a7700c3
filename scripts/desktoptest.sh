#!/usr/bin/env bash
# The application on a real desktop: Xvfb with the openbox window manager, driven with xdotool
# and wmctrl. Checks quitting (menu key from either window, also while the program waits for a
# key, and closing both windows), that every frame lies inside the screen, that a window resized
# by the user shows the whole chart, crisp pixels at twice the density, running the program
# again (ten times, the text window staying where it is), that the windows carry the desktop
# entry's class and the shipped icon at every size, and a log into a pipe closed early.
#
#   scripts/desktoptest.sh BUILD_BIN_DIR SCREENPROBE   (the examples are in BUILD_BIN_DIR/../examples)
set -uo pipefail
source "$(dirname "$0")/xdisplay.sh"
bin="$1"
probe="$2"
source "$(dirname "$0")/desktopchecks.sh"

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

# The program's two dates, typed into the text window.
typedates() {
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Quorvinthal$' | head -1)"
    xdotool type --delay 20 '5.12.1985'
    xdotool key Return ctrl+z
    xdotool type --delay 20 '05.12.2026'
    xdotool key Return
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

shown() { # a window title, waited for at most 10 seconds
    timeout 10 xdotool search --sync --onlyvisible --name "$1" >/dev/null
}

chartwindow() {
    xdotool search --onlyvisible --name 'für den' | head -1
}

ended='t_QuitProgram: Quitting current thread with message in window #0.'

textwindow() {
    xdotool search --onlyvisible --name '^Quorvinthal$' | head -1
}

# The absolute position of a window's content, "x y".
position() {
    xwininfo -id "$1" | awk '/Absolute upper-left [XY]/ {printf "%s ", $NF}'
}

# The class of a window (the second string of WM_CLASS).
windowclass() {
    xprop -id "$1" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p'
}

# The sizes of a window's icons ("16x16 22x22 ..."), and those of the shipped icon.
iconsizes() {
    xprop -len 4000000 -id "$1" _NET_WM_ICON | sed -n 's/.*Icon (\([0-9]*\) x \([0-9]*\)).*/\1x\2/p' |
        sort -n | tr '\n' ' '
}
shippedsizes() {
    ls "$bin/../share/icons/hicolor" | sort -n | tr '\n' ' '
}
entry="$(dirname "$0")/../packaging/org.quorvinthal.Quorvinthal.desktop"

# 1. A full run on a large screen: frames, resizing, running again, quitting from the chart.
desktop 1920x1200
start quorvinthal
typedates
check "the chart is drawn (1920 x 1200)" waitline "$ended"
check "every frame inside a 1920 x 1200 screen" framesinside
check "the windows' class is the desktop entry's StartupWMClass" \
    test "$(windowclass "$(textwindow)")" = "$(sed -n 's/^StartupWMClass=//p' "$entry")"
check "the windows carry the shipped icon at every size ($(shippedsizes))" \
    test "$(iconsizes "$(textwindow)")" = "$(shippedsizes)"
chart=$(chartwindow)
xdotool windowsize --sync "$chart" 672 451
sleep 0.5
xwd -id "$chart" -silent >"$work/chart.xwd"
check "the chart window at about half its size shows the whole chart" "$probe" "$work/chart.xwd" chart
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Quorvinthal$' | head -1)"
xdotool key ctrl+shift+r
sleep 0.5
typedates
check "Ctrl+Shift+R runs the program again: a second chart" waitline "$ended" 10 2
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

# 4. Standard output into a pager that stops reading after one line: the log lines after it are
# dropped, and the program still draws its chart and ends normally.
"$bin/quorvinthal" > >(head -n 1 >"$work/head") 2>&1 &
app=$!
shown '^Quorvinthal$'
typedates
check "the chart window is shown with the log going nowhere" shown 'für den'
sleep 1
check "the application outlives its closed pipe" kill -0 "$app"
xdotool windowactivate --sync "$(chartwindow)"
xdotool key ctrl+shift+q
check "Ctrl+Shift+Q after a closed pipe ends the application with status 0" endswithin 2
check "the pager read the first log line" test "$(wc -l <"$work/head")" = 1

# 5. Twice the density: whole pixels, no smoothing.
desktop 1920x1200
QT_SCALE_FACTOR=2 windowname=Grafikbeispiel start ../examples/graphicsdemo
sleep 0.5
xwd -id "$(xdotool search --onlyvisible --name Grafikbeispiel | head -1)" -silent >"$work/demo.xwd"
check "at QT_SCALE_FACTOR=2 every picture pixel is a crisp 2 x 2 block" "$probe" "$work/demo.xwd" crisp
kill "$app" 2>/dev/null

# 5. Ten restarts: the text window stays where it is, whatever its frame.
desktop 1920x1200
start quorvinthal
typedates
waitline "$ended" >/dev/null
placed=$(position "$(textwindow)")
for run in $(seq 2 11); do
    xdotool windowactivate --sync "$(textwindow)"
    xdotool key ctrl+shift+r
    waitline "Program: Start." 10 "$run" >/dev/null
    sleep 0.3
    typedates
    waitline "$ended" 10 "$run" >/dev/null
done
check "ten restarts ran the program ten more times" test "$(grep -cF "$ended" "$work/log")" = 11
check "after ten restarts the text window is where it was ($placed)" \
    test "$(position "$(textwindow)")" = "$placed"
kill "$app" 2>/dev/null

summary desktoptest "$work/log"
