#!/bin/sh
# Builds the text-import fuzz target (clipboard text, imported files, data files) with clang's
# libFuzzer, ASan and UBSan straight from the core sources.
# Usage: tools/fuzz/build_fuzz_text.sh OUTPUT   (the compiler is $CXX_FUZZ, default clang++-14)
# A timed run: OUTPUT -max_total_time=600 -max_len=65536 WORKDIR tools/fuzz/text_corpus
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:?output file}
cxx=${CXX_FUZZ:-clang++-14}
mkdir -p "$(dirname "$out")"

"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$here/fuzz_text.cpp" \
  "$root/src/core/sample/CellStore.cpp" \
  "$root/src/core/sample/DataFile.cpp" \
  "$root/src/core/sample/DelimitedText.cpp" \
  "$root/src/core/shell/TextNumber.cpp" \
  -o "$out"
