#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows program under wine on a desktop window of wine's own, of the given size, on the caller's X
# display: wine then draws the windows' title bars and frames as Windows does (without it, the windows of a
# display with no window manager have none). Usage: on-desktop.sh WIDTHxHEIGHT program.exe [arguments]
size=$1
shift
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Delvo /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Delvo /d "$size" /f >/dev/null 2>&1
# The caption buttons are glyphs of the Marlett font (Debian's fonts-wine), which the prefix's font folder
# must hold.
fonts="${WINEPREFIX:-$HOME/.wine}/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf; do
  [ -f "$font" ] && [ -d "$fonts" ] && cp -n "$font" "$fonts/"
done
exec wine "$@"
