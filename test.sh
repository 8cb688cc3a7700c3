#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages
build_project build -DQV_WERROR="${QV_WERROR:-OFF}"
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j2 --timeout 120
