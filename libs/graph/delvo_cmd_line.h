// SPDX-License-Identifier: MIT
// The command-line splitter of the plot and widget library (spec Part 1.3). GUI-free.
#pragma once

#include <array>
#include <string>

/// Argument 0 is the program, 1.. the arguments: at most 12 entries of at most 255 characters each.
struct DelvoCmdLine {
    static constexpr int kMaxArgs = 12;
    static constexpr size_t kMaxLength = 255;

    DelvoCmdLine(int argc, const char* const* argv);
    std::array<std::wstring, kMaxArgs> argv;
    int argc = 0;
};

/// Converts a multibyte (UTF-8) argument to wide characters; invalid bytes become U+FFFD.
std::wstring wideFromUtf8(const std::string& text);
/// Converts wide characters to UTF-8.
std::string utf8FromWide(const std::wstring& text);
