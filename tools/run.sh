#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds a Release build and launches Kelvo.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
build=${KELVO_BUILD_DIR:-$here/build-release}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVO_BUILD_TESTS=OFF -DKELVO_BUILD_BENCH=OFF
cmake --build "$build" --target kelvo -j"$(nproc)"
exec "$build/bin/kelvo"
