// SPDX-License-Identifier: MIT
// copyString: a string into a fixed wide-character buffer, refused when it does not fit.
#pragma once

#include <array>
#include <string>

/// Copies text and its terminator into buffer[size]; returns the length, or -1 when size is outside 1..383,
/// the text is longer than 383 characters, or it does not fit the buffer (decision: refused, never cut).
int copyString(const std::wstring& text, wchar_t* buffer, int size);

template <size_t N>
int copyString(const std::wstring& text, std::array<wchar_t, N>& buffer) {
    return copyString(text, buffer.data(), static_cast<int>(N < 383 ? N : 383));
}
