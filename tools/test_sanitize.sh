#!/usr/bin/env bash
# Builds the core and window tests with AddressSanitizer and UndefinedBehaviorSanitizer (a
# Debug build in a build dir of its own) and runs them with ctest; the first report a
# sanitizer makes stops that test and fails it. The fuzz replay is left out: its target
# carries its own sanitizers.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh"
build=${KELVO_SANITIZE_BUILD_DIR:-$here/build-sanitize}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
  -DKELVO_BUILD_BENCH=OFF -DKELVO_BUILD_FUZZ=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$flags"
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" -E '^(fuzz|package)\.'
