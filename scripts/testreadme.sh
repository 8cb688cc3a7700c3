#!/usr/bin/env bash
# Follows the README's "Writing a program" word for word, as a newcomer on this machine would:
# takes its code blocks exactly as they stand in README.md, installs the toolkit from the build
# folder into a prefix under a home of its own, builds the program once with CMake and once with
# pkg-config in folders outside both the build and the prefix, and runs each build headless
# (where the README starts the program, --keys and --out are added). Then builds the installed
# examples the same way, and installs the development files alone.
#
#   scripts/testreadme.sh BUILD_DIR OUT_DIR
# OUT_DIR receives one snapshot folder per program run: hello-cmake, hello-pkgconfig,
# header-example (the header's opening example, built the same way), textdemo, graphicsdemo; and
# devonly/, the development files installed alone.
set -euo pipefail
source="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
rm -rf "$2"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "testreadme: $*" >&2
    exit 1
}

# The fenced blocks of the README's section "## Writing a program", each into block<N>.<language>.
awk -v dir="$work" '
    /^## / { inside = ($0 == "## Writing a program") }
    inside && /^```/ && !open { open = 1; n++; lang = substr($0, 4); next }
    inside && /^```$/ && open { open = 0; next }
    inside && open { print > (dir "/block" n "." lang) }
' "$source/README.md"
blocks=("$work"/block*)
[ -e "${blocks[0]}" ] || fail "no code blocks in the README's \"Writing a program\""
only() { # the single block of a language
    local found=("$work"/block*."$1")
    [ ${#found[@]} = 1 ] || fail "expected one $1 block, found ${#found[@]}"
    echo "${found[0]}"
}
shellblock() { # the sh block whose text contains $1
    grep -l -F -- "$1" "$work"/block*.sh | head -n 1
}

# Runs a shell block as one script in folder $2, where a line that starts the program runs it
# headless into $out/$3 instead.
runblock() {
    local block="$1" dir="$2" name="$3" line
    [ -n "$block" ] || fail "a shell block of the README is missing"
    while IFS= read -r line; do
        if [[ "$line" =~ ^(\./|build/)hello$ ]]; then
            line="$line --keys 'Ada\\r' --out '$out/$name' >'$out/$name.log' 2>&1"
        fi
        echo "$line"
    done <"$block" >"$work/$name.sh"
    (cd "$dir" && bash -euo pipefail "$work/$name.sh") >"$work/$name.commands" 2>&1 ||
        { tail -n 30 "$work/$name.commands" >&2; fail "$name: the README's commands failed"; }
}

export HOME="$work/home"
mkdir -p "$HOME"
# The README's build folder is the checkout's build/; this build may live elsewhere.
mkdir -p "$work/checkout"
ln -s "$build" "$work/checkout/build"
runblock "$(shellblock 'cmake --install')" "$work/checkout" install
prefix="$HOME/quorvinthal"
[ "$(find "$prefix/include" -name '*.h' | wc -l)" = 1 ] || fail "more headers than the public one"

# With CMake, then with pkg-config, each in a folder of its own.
for way in cmake pkgconfig; do
    project="$work/projects/$way"
    mkdir -p "$project"
    cp "$(only cpp)" "$project/hello.cpp"
done
cp "$(only cmake)" "$work/projects/cmake/CMakeLists.txt"
runblock "$(shellblock 'cmake -S')" "$work/projects/cmake" hello-cmake
runblock "$(shellblock 'pkg-config')" "$work/projects/pkgconfig" hello-pkgconfig

# The opening example of the installed header, built with the README's pkg-config line.
header="$prefix/include/quorvinthal/toolkit.h"
mkdir -p "$work/projects/header"
sed -n '/^\/\/     #include <quorvinthal\/toolkit.h>/,/^\/\/     int main/p' "$header" |
    sed 's|^//     ||; s|^//$||' >"$work/projects/header/hello.cpp"
grep -q t_RunApplication "$work/projects/header/hello.cpp" || fail "no example program in $header"
runblock "$(shellblock 'pkg-config')" "$work/projects/header" header-example

# The installed examples, built and run from the prefix.
examples="$prefix/share/doc/libquorvinthal-dev/examples"
cmake -S "$examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$prefix" >>"$work/commands.log" 2>&1 ||
    fail "the installed examples do not configure"
cmake --build "$work/examples" -j2 >>"$work/commands.log" 2>&1 || fail "the examples do not build"
"$work/examples/textdemo" --keys 'Ada\r\x1a42\r' --out "$out/textdemo" >"$out/textdemo.log" 2>&1 ||
    fail "textdemo failed"
"$work/examples/graphicsdemo" --out "$out/graphicsdemo" >"$out/graphicsdemo.log" 2>&1 ||
    fail "graphicsdemo failed"

# The development files alone bring no application.
cmake --install "$build" --component development --prefix "$out/devonly" >/dev/null
echo "testreadme: the README's program built with CMake and pkg-config and ran; so did the examples"
