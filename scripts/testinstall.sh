#!/usr/bin/env bash
# Installs the toolkit from a build folder into a temporary prefix and builds the examples there
# as an outside project would: find_package(Quorvinthal) and Quorvinthal::toolkit.
#
#   scripts/testinstall.sh BUILD_DIR
set -euo pipefail
source="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/quorvinthal/toolkit.h"
# Only the public header is installed.
if [ "$(find "$work/prefix/include" -name '*.h' | wc -l)" != 1 ]; then
    echo "testinstall: more headers than the public one were installed" >&2
    exit 1
fi
cmake -S "$source/examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$work/examples" -j2 >/dev/null
for program in textdemo graphicsdemo; do
    test -x "$work/examples/$program"
done
echo "testinstall: the examples built against the toolkit installed in a temporary prefix"
