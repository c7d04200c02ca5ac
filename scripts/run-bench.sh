#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every benchmark (make bench). Plot benchmarks need a display: they run under xvfb-run.
set -euo pipefail
build="${1:-build}"
cd "$(dirname "$0")/.."
for b in bench_interpreter bench_math; do
  [ -x "$build/bench/$b" ] && "$build/bench/$b"
done
[ -x "$build/bench/bench_plot" ] && xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_plot"
# The console's own share of publishing its text; the accessibility bus itself is left out.
[ -x "$build/bench/bench_console_publish" ] &&
  NO_AT_BRIDGE=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_console_publish"
bench/batch_vs_bc.sh "$build/app/tallyx"
