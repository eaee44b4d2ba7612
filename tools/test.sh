#!/usr/bin/env bash
# Sets up and builds (tools/setup.sh), checks the formatting, then runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' | xargs -r clang-format --dry-run -Werror
mkdir -p /tmp/puntela-runtime && chmod 700 /tmp/puntela-runtime
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
