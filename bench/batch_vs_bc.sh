#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# tallyx -run on a 256-line file against bc -l on the same arithmetic, in one run, as a ratio.
# Usage: bench/batch_vs_bc.sh path/to/tallyx [rounds]
set -euo pipefail
tallyx="$1"
rounds="${2:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# 256 lines of arithmetic both programs read the same way.
for i in $(seq 1 256); do echo "($i*3.5+$i/7)^2-$i%5*2"; done > "$work/lines.txt"

time_it() {  # prints seconds for $rounds runs of the command
  local start end
  start=$(date +%s.%N)
  for _ in $(seq 1 "$rounds"); do "$@" > /dev/null; done
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
t_tallyx=$(time_it "$tallyx" -run "$work/lines.txt")
t_bc=$(time_it bc -l "$work/lines.txt")
t_empty=$(time_it "$tallyx" -run "1")
printf 'tallyx -run 256 lines: %.1f ms per run\n' "$(echo "$t_tallyx * 1000 / $rounds" | bc -l)"
printf 'bc -l 256 lines:       %.1f ms per run\n' "$(echo "$t_bc * 1000 / $rounds" | bc -l)"
printf 'tallyx -run 1 line (start-up alone): %.1f ms per run\n' "$(echo "$t_empty * 1000 / $rounds" | bc -l)"
printf 'ratio tallyx / bc: %.2f\n' "$(echo "$t_tallyx / $t_bc" | bc -l)"
