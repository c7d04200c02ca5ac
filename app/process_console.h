// SPDX-License-Identifier: MIT
// The process's text console: attach to the console that started the program, redirect its streams.
// One implementation per platform.
#pragma once

#include <cstdio>
#include <string>

/// Attaches the console of the command prompt that started the program to standard output, unless
/// standard output already goes somewhere (a pipe, a file, a POSIX terminal): then nothing changes.
void win32EnableConsole();
/// Ends console use so that the shell prompt returns (flushes standard output; on Windows presses Enter
/// in the attached console, whose prompt came back while the program was still running).
void win32SendEnterKey();
/// Redirects standard output and error to the file (both stay open until the process ends); true on success.
bool lf_redirectConsole(const std::wstring& fileName);
