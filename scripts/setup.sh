#!/usr/bin/env bash
# Shared set-up of run.sh, test.sh, .ci/run and fuzz/run.sh: installs the Debian packages the build
# needs (only when one is missing) and configures and builds the project (Release, two jobs).
set -euo pipefail

# Build and test; poppler-utils renders the printed PDF pages for their test; then the Wayland run
# (Qt's plugin, a headless compositor, typing and screenshots), the screen reader's test (the
# accessibility bus, a session bus, Debian's python3 with pyatspi), and last what the Debian package
# and its test need (cpack's shlibdeps uses file and dpkg-shlibdeps; the validators of the package,
# desktop entry and metainfo).
PACKAGES=(g++ cmake pkg-config clang-format qt6-base-dev qt6-multimedia-dev libutf8proc-dev
          libfreetype-dev fonts-dejavu-core libgtest-dev libbenchmark-dev xvfb xdotool xclip
          qt6-translations-l10n openbox wmctrl x11-utils x11-apps poppler-utils
          qt6-wayland sway wtype grim
          at-spi2-core dbus python3 python3-pyatspi
          dpkg-dev file lintian desktop-file-utils appstream)

# Fuzz builds only (CXX=clang++ ... -DQV_FUZZ=ON): the compiler and its libFuzzer runtime, each the
# release's default version.
FUZZ_PACKAGES=(clang libclang-rt-dev)

install_missing_packages() {
    install_packages "${PACKAGES[@]}"
}

install_fuzz_packages() {
    install_packages "${FUZZ_PACKAGES[@]}"
}

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

configure_project() {
    local dir="$1"; shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
}

build_project() {
    local dir="$1"; shift
    configure_project "$dir" "$@"
    cmake --build "$dir" -j2
}

# Only the given targets (and what they need) of the folder's Release build.
build_targets() {
    local dir="$1"; shift
    configure_project "$dir"
    cmake --build "$dir" -j2 --target "$@"
}
