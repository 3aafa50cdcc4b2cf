#!/bin/sh
# A timed fuzz run of the paste and conversion code, for longer runs than the test suite's
# replay. It starts from the checked-in corpus (copied, so the run never alters it) and keeps
# its findings in the work dir; crashes are written there as crash-*.
# Usage: tools/fuzz/run_fuzz.sh [seconds=600] [work dir=build-fuzz] [extra libFuzzer flags...]
# With KELVO_FUZZ_UPDATE_CORPUS=1 the run's new inputs are merged into tools/fuzz/corpus,
# keeping a minimal set that covers everything the old corpus and the run reached.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-600}
work=${2:-$root/build-fuzz}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
mkdir -p "$work/corpus"

sh "$here/build_fuzz.sh" "$work/fuzz_paste"
cp "$here"/corpus/* "$work/corpus/"

cd "$work"
./fuzz_paste -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$@" corpus

if [ "${KELVO_FUZZ_UPDATE_CORPUS:-0}" = 1 ]; then
  rm -rf merged && mkdir merged
  ./fuzz_paste -merge=1 -max_len=65536 merged corpus
  rm -f "$here"/corpus/*
  cp merged/* "$here/corpus/"
  echo "tools/fuzz/corpus now holds $(ls "$here/corpus" | wc -l) inputs"
fi
