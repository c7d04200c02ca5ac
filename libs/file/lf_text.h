// SPDX-License-Identifier: MIT
// Wide text to and from UTF-8, for file names and files (GUI-free; one place for every library).
#pragma once

#include <string>

/// UTF-8 of wide text; code points outside Unicode and lone surrogates become "?".
std::string utf8FromWide(const std::wstring& text);
/// Wide text of UTF-8; an invalid byte becomes U+FFFD.
std::wstring wideFromUtf8(const std::string& text);
