#!/bin/sh
# A timed fuzz run, for longer runs than the test suite's replay: of the paste and conversion
# code, or with KELVO_FUZZ_TARGET=text of text import. It starts from the target's checked-in
# corpus (copied, so the run never alters it) and keeps its findings in the work dir; crashes
# are written there as crash-*.
# Usage: tools/fuzz/run_fuzz.sh [seconds=600] [work dir=build-fuzz] [extra libFuzzer flags...]
# With KELVO_FUZZ_UPDATE_CORPUS=1 the run's new inputs are merged into the checked-in corpus,
# keeping a minimal set that covers everything the old corpus and the run reached.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=${1:-600}
work=${2:-$root/build-fuzz}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] && shift
target=${KELVO_FUZZ_TARGET:-paste}
case "$target" in
  paste) corpus="$here/corpus" ;;
  text) corpus="$here/text_corpus" ;;
  *) echo "unknown fuzz target: $target" >&2; exit 2 ;;
esac
mkdir -p "$work/corpus-$target"

sh "$here/build_fuzz.sh" "$target" "$work/fuzz_$target"
cp "$corpus"/* "$work/corpus-$target/"

cd "$work"
./fuzz_$target -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$@" "corpus-$target"

if [ "${KELVO_FUZZ_UPDATE_CORPUS:-0}" = 1 ]; then
  rm -rf merged && mkdir merged
  ./fuzz_$target -merge=1 -max_len=65536 merged "corpus-$target"
  rm -f "$corpus"/*
  cp merged/* "$corpus/"
  echo "$corpus now holds $(ls "$corpus" | wc -l) inputs"
fi
