#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvinthal from the build folder.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages
build_project build
app=build/bin/quorvinthal
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    echo "run.sh: start it under a virtual display instead: xvfb-run -a ./run.sh" >&2
    echo "run.sh: or take a headless snapshot: build/bin/quorvinthal-snapshot --out /tmp/snapshot --keys '5.12.1985\\r\\x1a05.12.2026\\r'" >&2
    exit 1
fi
exec "$app"
