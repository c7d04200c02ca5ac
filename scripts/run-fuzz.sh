#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target of a build tree for some seconds, from its seed corpus in fuzz/corpus/<target>.
# New inputs go to <tree>/fuzz-corpus/<target>, crashes to <tree>/fuzz-findings/; any finding fails the run.
# Usage: scripts/run-fuzz.sh build-fuzz [seconds] [target...]
# FUZZ_RUNS=N also ends each target after N executions (a campaign: whichever of time and runs comes first).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:?build tree}
seconds=${2:-30}
shift $(( $# >= 2 ? 2 : $# ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_evaluate_line fuzz_preprocess fuzz_settings_file fuzz_batch_input
                                     fuzz_plot_sampler fuzz_math fuzz_console_edit)
mkdir -p "$tree/fuzz-findings"
# Undefined behaviour is a finding like a crash: stop there, with the stack, and keep the input.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
for target in "${targets[@]}"; do
  work="$tree/fuzz-corpus/$target"
  mkdir -p "$work" "fuzz/corpus/$target"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$tree/fuzz-findings/$target-")
  [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS")
  [ -f "fuzz/$target.dict" ] && options+=(-dict="fuzz/$target.dict")
  [ "$target" = fuzz_batch_input ] && options+=(-max_len=11000000) || options+=(-max_len=4096)
  # The console target drives a real window: it runs on an X display of its own, and the toolkit's caches,
  # kept until the process ends, are not leaks.
  runner=()
  if [ "$target" = fuzz_console_edit ]; then
    if [ ! -x "$tree/fuzz/$target" ]; then
      echo "== $target skipped: built without the window module"
      continue
    fi
    runner=(env ASAN_OPTIONS="detect_leaks=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
            xvfb-run -a -s "-screen 0 1280x1024x24")
  fi
  echo "== $target ($seconds s)"
  status=0
  "${runner[@]}" "$tree/fuzz/$target" "${options[@]}" "$work" "fuzz/corpus/$target" >"$tree/fuzz-$target.log" 2>&1 ||
    status=$?
  grep -E '^(stat::|#[0-9]+ +DONE|==[0-9]+==|SUMMARY|Test unit written)' "$tree/fuzz-$target.log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $target found a failure (status $status); see $tree/fuzz-findings" >&2
    exit 1
  fi
done
