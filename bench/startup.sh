#!/usr/bin/env bash
# How quickly the chart application shows its first window and how much memory it then holds,
# against a bare Qt 6 program that shows one empty widget of the same size. Both are started in
# turn under a virtual X display without a window manager; a small X client (startup/mapprobe)
# starts each program and times it from exec to a mapped window with its title, then reads VmRSS.
#
# Usage: bench/startup.sh [build folder] [runs of each]     (defaults: build, 11)
set -euo pipefail

build=${1:-build}
runs=${2:-11}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/application.sh
source "$(dirname "$0")/application.sh"
startapplicationscript "$0" "$build" "$runs"

# The bare window and the probe are built here, each only when its source is newer.
tools="$build/bench-startup"
mkdir -p "$tools"
compile() { # output, source, pkg-config packages
    if [ ! -x "$tools/$1" ] || [ "$here/startup/$2" -nt "$tools/$1" ]; then
        # shellcheck disable=SC2046
        c++ -std=c++20 -O2 -fPIC -o "$tools/$1" "$here/startup/$2" $(pkg-config --cflags --libs $3)
    fi
}
compile barewindow barewindow.cpp Qt6Widgets
compile mapprobe mapprobe.cpp x11

settle_ms=1000
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for _ in $(seq "$runs"); do
    echo "quorvinthal $("$tools/mapprobe" Quorvinthal "$settle_ms" "$app")" >>"$results"
    echo "bare $("$tools/mapprobe" "Bare Qt window" "$settle_ms" "$tools/barewindow")" >>"$results"
done

python3 - "$results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, ms, atmap, settled = line.split()
    rows.setdefault(name, []).append((float(ms), int(atmap), int(settled)))
def median(name, column):
    return statistics.median(row[column] for row in rows[name])
def span(name, column):
    values = [row[column] for row in rows[name]]
    return min(values), max(values)
for name in ("quorvinthal", "bare"):
    low, high = span(name, 0)
    print(f"{name:12} mapped after {median(name, 0):6.1f} ms ({low:.1f} to {high:.1f}), "
          f"resident {median(name, 1) / 1024:5.1f} MB at the map, "
          f"{median(name, 2) / 1024:5.1f} MB one second later ({len(rows[name])} runs)")
q, b = median("quorvinthal", 0), median("bare", 0)
extra = (median("quorvinthal", 2) - median("bare", 2)) / 1024
print(f"time to the first mapped window: {q / b:.2f} x the bare window's (target <= 1.3)")
print(f"resident memory one second after the map: {extra:+.1f} MB against the bare window "
      f"(target <= +10 MB)")
PY
