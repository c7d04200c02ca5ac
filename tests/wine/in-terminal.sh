#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows program under wine in a terminal of its own, where wine gives it a console whose screen and
# input it can read. The program's own output goes to a file and is printed afterwards, so that the console
# holds only what the program put there. Usage: in-terminal.sh program.exe [arguments]
log=$(mktemp)
script -qec "wine $* >'$log' 2>&1" /dev/null >/dev/null </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
