#!/bin/sh
# Builds a fuzz target with clang's libFuzzer, ASan and UBSan straight from the core sources:
#   paste  the paste and number-reading code (fuzz_paste.cpp)
#   text   clipboard text, imported files and data files (fuzz_text.cpp)
# Usage: tools/fuzz/build_fuzz.sh TARGET OUTPUT   (the compiler is $CXX_FUZZ, default clang++-14)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
target=${1:?target: paste or text}
out=${2:?output file}
cxx=${CXX_FUZZ:-clang++-14}
core="$root/src/core"
case "$target" in
  paste) sources="$core/sample/GridBuffer.cpp $core/sample/Readers.cpp $core/text/ResultFormat.cpp" ;;
  text) sources="$core/files/DataFile.cpp $core/sample/DelimitedText.cpp" ;;
  *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
esac
mkdir -p "$(dirname "$out")"

# shellcheck disable=SC2086
"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$here/fuzz_$target.cpp" $sources \
  "$core/sample/CellStore.cpp" "$core/text/TextNumber.cpp" \
  -o "$out"
