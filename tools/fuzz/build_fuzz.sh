#!/bin/sh
# Builds the paste fuzz target with clang's libFuzzer, ASan and UBSan straight from the core
# sources.
# Usage: tools/fuzz/build_fuzz.sh OUTPUT   (the compiler is $CXX_FUZZ, default clang++-14)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:?output file}
cxx=${CXX_FUZZ:-clang++-14}
mkdir -p "$(dirname "$out")"

"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$here/fuzz_paste.cpp" \
  "$root/src/core/sample/CellStore.cpp" \
  "$root/src/core/sample/GridBuffer.cpp" \
  "$root/src/core/sample/Readers.cpp" \
  "$root/src/core/sample/ResultFormat.cpp" \
  "$root/src/core/shell/TextNumber.cpp" \
  -o "$out"
