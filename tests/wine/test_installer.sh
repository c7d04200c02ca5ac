#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The installer end to end in a fresh wine prefix: silent install, the installed program's batch mode, the
# shortcut and the entry in the installed-programs list, then a silent uninstall that leaves nothing in
# Program Files and keeps the user's settings.
# Usage: test_installer.sh DelvoCalculator-<version>-setup.exe
set -euo pipefail
setup=$(realpath "$1")
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

wineboot -i >/dev/null 2>&1
wineserver -w
program_files="$WINEPREFIX/drive_c/Program Files/DelvoCalculator"
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DelvoCalculator'

wine "$setup" /S
wineserver -w
[ -f "$program_files/bin/tallyx.exe" ] || fail "no bin\\tallyx.exe"
[ -f "$program_files/uninstall.exe" ] || fail "no uninstaller"
# The licences of the program and of the libraries linked into it, wxWidgets' among them.
grep -q '^License: wxWindows' "$program_files/doc/copyright.txt" 2>/dev/null || fail "no doc\\copyright.txt naming wxWidgets"
[ -f "$start_menu/DelvoCalculator.lnk" ] || fail "no Start-menu shortcut"
wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe' ||
  fail "not in the installed-programs list"
# A program in <folder>\bin\ finds its manual as <folder>\doc\tallyx.pdf.
if [ "${EXPECT_MANUAL:-0}" = 1 ]; then
  [ -f "$program_files/doc/tallyx.pdf" ] || fail "no doc\\tallyx.pdf beside bin"
fi

# The installed program's batch mode, run from a user's folder with a name that is not ASCII.
user_dir="$WINEPREFIX/drive_c/users/Zoë"
mkdir -p "$user_dir"
(cd "$user_dir" && wine 'C:\Program Files\DelvoCalculator\bin\tallyx.exe' -run "1+2;x=3;x*2" -out res.txt)
wineserver -w
[ "$(od -An -tx1 "$user_dir/res.txt" | tr -d ' \n')" = "3600" ] || fail "res.txt is not UTF-16 \"6\""

# The user's settings, as the window leaves them at exit.
local_app_data=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
settings="$local_app_data/Quarn/config/tallyx.quarnr"
mkdir -p "$(dirname "$settings")"
echo "settings" > "$settings"

wine 'C:\Program Files\DelvoCalculator\uninstall.exe' /S
wineserver -w
[ ! -e "$program_files" ] || fail "left in Program Files: $(find "$program_files" | tr '\n' ' ')"
[ ! -e "$start_menu/DelvoCalculator.lnk" ] || fail "shortcut left behind"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then fail "still in the installed-programs list"; fi
[ -f "$settings" ] || fail "the user's settings were removed"
echo "installer: install, batch mode, uninstall: ok"
