#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes the manual's pictures (docs/manual/pictures/) and those of docs/screenshots/ (windows, menus, tools, plots)
# from the real windows under Xvfb. Usage: scripts/manual-screenshots.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
cmake --build "$BUILD" -j2 --target manual_screenshots
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
DELVO_TEST_OUTPUT=$OUT xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/tests/manual_screenshots"
mkdir -p docs/manual/pictures
cp "$OUT"/manual/*.png docs/manual/pictures/
cp "$OUT"/screenshots/*.png docs/screenshots/
ls -l docs/manual/pictures/*.png docs/screenshots/*.png
