#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the calculator; without a display, explains batch mode instead.
set -euo pipefail
exe="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<TXT
No display is available (DISPLAY is not set), so the calculator window cannot open.
Batch mode works without a display:
  $exe -run "1+2;x=3;x*2"
  $exe -run commands.txt -out result.txt
  $exe -h
TXT
  exit 0
fi
exec "$exe"
