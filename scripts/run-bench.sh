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
# A long session in the main window, alone and with a screen reader listening, and a plot window zoomed on and on
# (docs/performance.md); LONG_SESSION_LINES and LONG_SESSION_ZOOMS shorten them.
if [ -x "$build/bench/bench_long_session" ]; then
  for mode in console reader; do
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_long_session" $mode "${LONG_SESSION_LINES:-100000}"
  done
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bench/bench_long_session" plot "${LONG_SESSION_ZOOMS:-10000}"
fi
bench/batch_vs_bc.sh "$build/app/tallyx"
