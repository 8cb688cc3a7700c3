#!/usr/bin/env bash
# The application as a screen reader sees it: a session bus of its own (dbus-run-session) with
# the accessibility bus (at-spi2-core's launcher) on an Xvfb display with openbox, read by a real
# AT-SPI client (scripts/a11yreader.py under Debian's python3 with pyatspi).
#
#   scripts/a11ytest.sh BUILD_BIN_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QV_A11Y_SESSION:-}" ]; then
    exec env QV_A11Y_SESSION=1 dbus-run-session -- "$0" "$@"
fi
app="$1/quorvinthal"
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

source "$here/xdisplay.sh"
startxdisplay "$work" 1920x1200

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
export QT_QPA_PLATFORM=xcb
/usr/bin/python3 "$here/a11yreader.py" "$app"
