#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Replaces the seed corpus fuzz/corpus/<target> by the smallest set of its inputs and those a run found
# (<tree>/fuzz-corpus/<target>) that reaches the same coverage (libFuzzer's -merge=1 into a fresh folder).
# A set of more than 500 inputs is merged again on the edges alone (-use_counters=0, not how often each ran),
# so that a committed corpus stays a few hundred files.
# Named inputs (hand-written seeds, the inputs of findings) stay under their names whatever they add; the
# merged ones are named by the SHA-1 of their bytes, and a copy of a named input among them goes.
# Usage: scripts/merge-fuzz-corpus.sh build-fuzz target...
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:?build tree}
shift
[ $# -gt 0 ] || { echo "usage: $0 build-fuzz target..." >&2; exit 2; }
for target in "$@"; do
  fresh="$tree/fuzz-merge/$target"
  rm -rf "$fresh"
  mkdir -p "$fresh" "$tree/fuzz-corpus/$target"
  runner=()
  [ "$target" = fuzz_console_edit ] &&
    runner=(env ASAN_OPTIONS="detect_leaks=0" xvfb-run -a -s "-screen 0 1280x1024x24")
  max_len=4096
  [ "$target" = fuzz_batch_input ] && max_len=11000000
  merge=("${runner[@]}" "$tree/fuzz/$target" -merge=1 -timeout=10 -rss_limit_mb=2048 -max_len="$max_len")
  "${merge[@]}" "$fresh" "fuzz/corpus/$target" "$tree/fuzz-corpus/$target" >"$tree/fuzz-merge-$target.log" 2>&1
  if [ "$(find "$fresh" -type f | wc -l)" -gt 500 ]; then
    rm -rf "$fresh"
    mkdir -p "$fresh"
    "${merge[@]}" -use_counters=0 "$fresh" "fuzz/corpus/$target" "$tree/fuzz-corpus/$target" \
      >>"$tree/fuzz-merge-$target.log" 2>&1
  fi
  for named in "fuzz/corpus/$target"/*; do
    [ -f "$named" ] || continue
    name=$(basename "$named")
    [[ "$name" =~ ^[0-9a-f]{40}$ ]] && continue
    rm -f "$fresh/$(sha1sum "$named" | cut -d' ' -f1)"
    cp "$named" "$fresh/$name"
  done
  rm -rf "fuzz/corpus/$target"
  cp -r "$fresh" "fuzz/corpus/$target"
  echo "$target: $(find "fuzz/corpus/$target" -type f | wc -l) files, $(cat "fuzz/corpus/$target"/* | wc -c) bytes"
done
