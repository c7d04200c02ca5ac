// SPDX-License-Identifier: MIT
// Text-console helpers of the math library: attach to the console that started the program, redirect streams.
#pragma once

#include <cstdio>
#include <string>

/// Attaches a text console for standard output (on POSIX the process already has one: nothing to do).
void win32EnableConsole();
/// Ends console use so that the shell prompt returns (flushes standard output).
void win32SendEnterKey();
/// Redirects standard output and error to the file; stores both streams (closed at exit); true on success.
bool lf_redirectConsole(const std::wstring& fileName, std::FILE** outStream, std::FILE** errStream);
