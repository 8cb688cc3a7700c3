#!/usr/bin/env bash
# The floor check refuses what it is there to refuse: in a copy of the sources, an include of a
# floor that the including floor does not link (graphics/ does not link text/), an include of a
# higher floor, and Qt outside platform/.
#
#   scripts/testfloorcheck.sh BUILD_DIR
set -euo pipefail
source="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

plant() { # file, line to add at the top, message the check must print
    rm -rf "$work/tree"
    mkdir "$work/tree"
    (cd "$source" && git ls-files -z | xargs -0 cp --parents -t "$work/tree")
    sed -i "1i $2" "$work/tree/$1"
    if "$source/scripts/checkfloors.sh" "$build" "$work/tree" >"$work/out" 2>&1; then
        echo "testfloorcheck: the check passed with $2 in $1" >&2
        exit 1
    fi
    grep -qF -- "$3" "$work/out" || { cat "$work/out" >&2; exit 1; }
}
plant graphics/line.cpp '#include "text/cells.h"' "graphics/line.cpp includes text/cells.h"
plant formats/lzw.cpp '#include "core/bridge.h"' "formats/lzw.cpp includes core/bridge.h"
plant display/bell.cpp '#include <QWidget>' "include Qt outside platform/"
"$source/scripts/checkfloors.sh" "$build" >/dev/null
echo "testfloorcheck: planted includes are refused; the tree as it is passes"
