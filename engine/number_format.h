// SPDX-License-Identifier: MIT
// Result notations and output bases; also used by the unit converter.
#pragma once

#include <cstdint>
#include <string>

/// formatMode and the two printf formats of mode 0.
struct NumberFormat {
    static constexpr int kFixed = 0, kAuto = 1, kInt = 9;
    int mode = kFixed;
    std::wstring fixedFormat = L"%.12f";
    std::wstring exponentFormat = L"%.8e";
};

/// Writes value in the int notation (mode 9) or the fixed/exponent one; a maxLength outside 1..384 writes nothing.
void formatValue(double value, std::wstring& out, int maxLength, const NumberFormat& format);
/// The result notation: auto (lm_reformatAuto, or the caller's printf format) or formatValue.
void formatResult(double value, std::wstring& out, int maxLength, const NumberFormat& format,
                  const std::wstring* callerFormat);
/// "0b101", "0o17", "0xFF"; empty for a base other than 2, 8, 16.
std::wstring formatInBase(std::uint32_t value, int base);
/// Puts a result text into base 2, 8 or 16 when it reads completely as a base-10 integer.
void applyOutputBase(std::wstring& text, int base);
