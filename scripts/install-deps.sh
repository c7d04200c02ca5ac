#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, testing and benchmarking need; quick when all are there.
set -euo pipefail

PACKAGES=(
  g++ cmake make ninja-build pkg-config
  libwxgtk3.2-dev libgtk-3-dev libmuparser-dev libboost-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libxtst-dev imagemagick libxml2-utils bc valgrind
  at-spi2-core dbus-x11 python3-pyatspi
  rst2pdf poppler-utils python3-docutils man-db
  dpkg-dev lintian appstream desktop-file-utils libglib2.0-bin
  clang libclang-rt-dev
  gcovr
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else
    echo "install-deps: run as root or install: ${missing[*]}" >&2; exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
