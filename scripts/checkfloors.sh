#!/usr/bin/env bash
# Keeps the floors in order: no file includes a header of a higher floor, and (given a build
# folder) no floor's library uses a symbol that only a higher floor defines.
#
#   scripts/checkfloors.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

# Bottom up; the same order as QV_FLOORS in CMakeLists.txt. The app sits on top of them all.
floors=(platform core formats unicode display events text input graphics ui toolkit app)
status=0

rank() {
    local i
    for i in "${!floors[@]}"; do
        [ "${floors[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}

# Includes: "floor/file.h" of a higher floor is refused; the public header belongs to no floor.
for i in "${!floors[@]}"; do
    floor=${floors[$i]}
    for file in "$floor"/*.cpp "$floor"/*.h; do
        [ -e "$file" ] || continue
        while IFS= read -r included; do
            target=${included%%/*}
            r=$(rank "$target")
            if [ "$r" -gt "$i" ]; then
                echo "checkfloors: $file includes $included, a header of the higher floor $target"
                status=1
            fi
        done < <(sed -n 's/^#include "\([a-z]*\/[^"]*\)"/\1/p' "$file")
    done
done

# Programs see only the public header.
for file in app/*.cpp app/*.h examples/*.cpp; do
    [ -e "$file" ] || continue
    if grep -n '^#include "' "$file" | grep -v '"quorvinthal/toolkit.h"' | grep -v '"app/' >/dev/null; then
        echo "checkfloors: $file includes more than quorvinthal/toolkit.h"
        status=1
    fi
done

# Qt only in platform/.
if grep -ln '^#include <Q' --include='*.cpp' --include='*.h' -r "${floors[@]:1}" include examples 2>/dev/null; then
    echo "checkfloors: the files above include Qt outside platform/"
    status=1
fi

# Symbols: what a floor's library leaves undefined must not be defined only by a higher floor.
build=${1:-}
if [ -n "$build" ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    for floor in "${floors[@]:0:11}"; do
        lib="$build/libqv$floor.a"
        [ -f "$lib" ] || { echo "checkfloors: $lib is missing"; exit 1; }
        nm -C --defined-only "$lib" 2>/dev/null | awk '$2 ~ /^[TWDBVR]$/ {sub(/^[0-9a-f]+ [A-Za-z] /, ""); print}' |
            sort -u >"$tmp/$floor.defined"
        nm -C --undefined-only "$lib" 2>/dev/null | sed 's/^ *U //' | sort -u >"$tmp/$floor.undefined"
    done
    for i in $(seq 0 10); do
        floor=${floors[$i]}
        for j in $(seq $((i + 1)) 10); do
            higher=${floors[$j]}
            comm -12 "$tmp/$floor.undefined" "$tmp/$higher.defined" |
                while IFS= read -r symbol; do
                    # A symbol the floor or one below defines as well (inline, templates) is fine.
                    owned=0
                    for k in $(seq 0 "$i"); do
                        grep -qxF -- "$symbol" "$tmp/${floors[$k]}.defined" && owned=1 && break
                    done
                    [ "$owned" = 1 ] && continue
                    echo "checkfloors: $floor uses $symbol, defined by the higher floor $higher"
                    echo x >>"$tmp/failed"
                done
        done
    done
    [ -f "$tmp/failed" ] && status=1
fi

[ "$status" = 0 ] && echo "checkfloors: ${#floors[@]} floors in order"
exit "$status"
