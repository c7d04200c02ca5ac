// SPDX-License-Identifier: MIT
// The command-line splitter. GUI-free.
#pragma once

#include <array>
#include <string>

#include "libs/file/lf_text.h"

/// Argument 0 is the program, 1.. the arguments: at most 12 entries of at most 255 characters each. What the
/// limits cut off stays visible (given, whole), so that no caller acts on a silently shortened argument.
struct DelvoCmdLine {
    static constexpr int kMaxArgs = 12;
    static constexpr size_t kMaxLength = 255;

    DelvoCmdLine(int argc, const char* const* argv);
    /// True when entry i was longer than kMaxLength (argv[i] holds its beginning, whole[i] all of it).
    bool wasCut(int i) const { return i >= 0 && i < argc && whole[i].size() > kMaxLength; }

    std::array<std::wstring, kMaxArgs> argv;
    std::array<std::wstring, kMaxArgs> whole;
    int argc = 0;
    int given = 0;  // entries the process received, program included
};
