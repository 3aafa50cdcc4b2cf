#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test with ctest
# (window tests on Qt's offscreen platform).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
build=${KELVO_BUILD_DIR:-$here/build-test}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
