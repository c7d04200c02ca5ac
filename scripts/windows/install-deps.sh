#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what the Windows build needs on Debian: the mingw-w64 cross compilers, wine64 to run the
# tests, NSIS for the installer, rst2pdf for the manual it installs, and a deb-src entry of our own so
# that `apt-get source` fetches the wxWidgets and muParser sources. Quick when all are there.
set -euo pipefail

PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  wine64 wine fonts-wine nsis rst2pdf dpkg-dev
  cmake make ccache libboost-dev googletest xvfb xauth imagemagick xdotool
)
SOURCES_FILE=/etc/apt/sources.list.d/delvo-windows-src.sources

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO="sudo"; else SUDO="__none__"; fi
fi

need_update=0
if [ ! -f "$SOURCES_FILE" ]; then
  [ "$SUDO" = "__none__" ] && { echo "windows deps: run as root to add $SOURCES_FILE" >&2; exit 1; }
  $SUDO tee "$SOURCES_FILE" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ $need_update -eq 0 ] && exit 0
[ "$SUDO" = "__none__" ] && { echo "windows deps: run as root or install: ${missing[*]}" >&2; exit 1; }

export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "windows deps: installing ${missing[*]}"
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
