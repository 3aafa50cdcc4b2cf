#!/bin/sh
# Runs the paste fuzz target once over every input of the checked-in corpus, without
# mutating anything: a crash or a failed check on any of them fails the run.
# Usage: tools/fuzz/replay_corpus.sh FUZZ_BINARY [corpus dir=tools/fuzz/corpus]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
binary=${1:?fuzz binary}
corpus=${2:-$here/corpus}
count=$(find "$corpus" -type f | wc -l)
if [ "$count" -eq 0 ]; then
  echo "no inputs in $corpus" >&2
  exit 1
fi
# Files given one by one are executed and not written back; -runs applies to each.
find "$corpus" -type f -print0 | sort -z | xargs -0 "$binary" -runs=1
echo "replayed $count inputs from $corpus"
