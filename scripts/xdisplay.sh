# Sourced by the tests on a real X display: startxdisplay WORK SIZE starts Xvfb at SIZE (such as
# 1920x1200) with the openbox window manager on it, exports DISPLAY and adds both processes to
# the caller's pids array. WORK is a folder of the caller's.
startxdisplay() {
    exec 5>"$1/displayfd"
    Xvfb -displayfd 5 -screen 0 "$2x24" -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$1/displayfd" ] && break; sleep 0.05; done
    export DISPLAY=":$(cat "$1/displayfd")"
    openbox >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
}
