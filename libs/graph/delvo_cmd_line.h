// SPDX-License-Identifier: MIT
// The command-line splitter of the plot and widget library. GUI-free.
#pragma once

#include <array>
#include <string>

#include "libs/file/lf_text.h"

/// Argument 0 is the program, 1.. the arguments: at most 12 entries of at most 255 characters each.
struct DelvoCmdLine {
    static constexpr int kMaxArgs = 12;
    static constexpr size_t kMaxLength = 255;

    DelvoCmdLine(int argc, const char* const* argv);
    std::array<std::wstring, kMaxArgs> argv;
    int argc = 0;
};
