#!/bin/sh
# Builds the paste fuzz target with clang's libFuzzer, ASan and UBSan straight from the core
# sources, then runs it for a bounded time.
# Usage: tools/fuzz/run_fuzz.sh [seconds=60] [work dir=build-sample/fuzz] [extra libFuzzer flags...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-60}
work=${2:-$root/build-sample/fuzz}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
cxx=${CXX_FUZZ:-clang++-14}
mkdir -p "$work/corpus"

"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" \
  "$here/fuzz_paste.cpp" \
  "$root/src/core/sample/CellStore.cpp" \
  "$root/src/core/sample/GridBuffer.cpp" \
  "$root/src/core/sample/Readers.cpp" \
  "$root/src/core/sample/ResultFormat.cpp" \
  "$root/src/core/shell/TextNumber.cpp" \
  -o "$work/fuzz_paste"

# A few seeds so the run starts from real block texts.
printf '\x00\x00\x00\x00a\tb\rc\td' > "$work/corpus/seed_block"
printf '\x09\x81\x05\x00 1.5e3\t\t-2\r\r7D2' > "$work/corpus/seed_numbers"
printf '\x13\x01\x7f\xfe1\t2\t3\t4\t5\t6\t7\t8' > "$work/corpus/seed_row"
# A row longer than the largest grid, pasted near its first column.
{ printf '\x0a\x01\x00\x02'; head -c 40000 /dev/zero | tr '\000' '\t'; printf '\r9\r8'; } \
  > "$work/corpus/seed_long_row"

cd "$work"
exec ./fuzz_paste -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$@" corpus
