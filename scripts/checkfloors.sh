#!/usr/bin/env bash
# Keeps the floors in order. Each floor is a library that links the floors below it; a file may
# include headers of its own floor and of the floors its floor links (directly or through them),
# nothing else, and a floor's library may use no symbol that only a floor outside those defines.
# The links are read from the build (BUILD_DIR/floorlinks.txt, written by CMake from the same
# lines that link the libraries).
#
#   scripts/checkfloors.sh BUILD_DIR [SOURCE_DIR]
set -euo pipefail
build="$(cd "$1" && pwd)"
cd "${2:-$(dirname "$0")/..}"
status=0

declare -A links reach
floors=()
while read -r floor below; do
    [ -n "$floor" ] || continue
    floors+=("$floor")
    links[$floor]="$below"
done <"$build/floorlinks.txt"
[ ${#floors[@]} -gt 0 ] || { echo "checkfloors: no floors in $build/floorlinks.txt"; exit 1; }

# The floors a floor reaches through its links, itself included.
reachable() {
    local floor="$1" seen=" $1 " todo=($1) next below
    while [ ${#todo[@]} -gt 0 ]; do
        next=${todo[0]}
        todo=("${todo[@]:1}")
        for below in ${links[$next]:-}; do
            [[ "$seen" == *" $below "* ]] && continue
            seen+="$below "
            todo+=("$below")
        done
    done
    echo "$seen"
}
for floor in "${floors[@]}"; do
    reach[$floor]=$(reachable "$floor")
done
isfloor() { [[ " ${floors[*]} " == *" $1 "* ]]; }

# Includes: "floor/file.h" of a floor that is not reached is refused; the public header belongs
# to no floor.
for floor in "${floors[@]}"; do
    for file in "$floor"/*.cpp "$floor"/*.h; do
        [ -e "$file" ] || continue
        while IFS= read -r included; do
            target=${included%%/*}
            isfloor "$target" || continue
            if [[ "${reach[$floor]}" != *" $target "* ]]; then
                echo "checkfloors: $file includes $included, but $floor does not link $target"
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
others=()
for floor in "${floors[@]}"; do
    [ "$floor" = platform ] || others+=("$floor")
done
if grep -ln '^#include <Q' --include='*.cpp' --include='*.h' -r "${others[@]}" include examples app; then
    echo "checkfloors: the files above include Qt outside platform/"
    status=1
fi

# Symbols: what a floor's library leaves undefined must not be defined only by a floor it does
# not reach.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for floor in "${floors[@]}"; do
    lib="$build/libqv$floor.a"
    [ -f "$lib" ] || { echo "checkfloors: $lib is missing"; exit 1; }
    nm -C --defined-only "$lib" 2>/dev/null | awk '$2 ~ /^[TWDBVR]$/ {sub(/^[0-9a-f]+ [A-Za-z] /, ""); print}' |
        sort -u >"$tmp/$floor.defined"
    nm -C --undefined-only "$lib" 2>/dev/null | sed 's/^ *U //' | sort -u >"$tmp/$floor.undefined"
done
for floor in "${floors[@]}"; do
    for other in "${floors[@]}"; do
        [[ "${reach[$floor]}" == *" $other "* ]] && continue
        comm -12 "$tmp/$floor.undefined" "$tmp/$other.defined" |
            while IFS= read -r symbol; do
                # A symbol a reached floor defines as well (inline, templates) is fine.
                owned=0
                for k in ${reach[$floor]}; do
                    grep -qxF -- "$symbol" "$tmp/$k.defined" && owned=1 && break
                done
                [ "$owned" = 1 ] && continue
                echo "checkfloors: $floor uses $symbol, defined by $other, which it does not link"
                echo x >>"$tmp/failed"
            done
    done
done
[ -f "$tmp/failed" ] && status=1

[ "$status" = 0 ] && echo "checkfloors: ${#floors[@]} floors, each includes and uses only what it links"
exit "$status"
