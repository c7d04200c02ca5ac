// SPDX-License-Identifier: MIT
// The process's arguments as UTF-8 text. GUI-free; one implementation per platform.
#pragma once

#include <string>
#include <vector>

/// The arguments, program first: on POSIX main's own, on Windows the wide command line's (main's are in the
/// ANSI code page, which cannot hold a name such as "Zoë" on every system).
std::vector<std::string> utf8Arguments(int argc, char** argv);
