#!/usr/bin/env bash
# Installs what is missing, builds the application, and starts it from the build folder.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages
# The application with its data files and icons; the tests and benchmarks are ./test.sh's.
build_targets build quorvinthal resources icons
app=build/bin/quorvinthal
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "run.sh: start it under a virtual display instead: xvfb-run -a ./run.sh" >&2
    echo "run.sh: or take a headless snapshot: $app --out /tmp/quorvinthal-snapshot --keys '5.12.1985\\r\\x1a05.12.2026\\r'" >&2
    exit 1
fi
exec "$app"
