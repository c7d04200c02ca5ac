// SPDX-License-Identifier: MIT
// The base converter's core: unsigned 32-bit integers read and written in bases 2, 8, 10 and 16.
#pragma once

#include <cstdint>
#include <string>

/// Number of bases the base converter offers; list indexes 0 binary, 1 octal, 2 decimal, 3 hexadecimal.
constexpr int kBaseCount = 4;
/// Base names in list order, null-terminated: "Binary", "Octal", "Decimal", "Hexadecimal".
extern const wchar_t* const kBaseNames[kBaseCount + 1];
/// The numeric base of each list index: 2, 8, 10, 16.
extern const int kBases[kBaseCount];
/// The largest value the converter shows; anything above it is "Overflow".
constexpr std::uint64_t kLargestValue = 4294967295u;

/// Most digits of a base's field: 32 binary, 11 octal, 10 decimal, 8 hexadecimal (32 for any other base).
std::uint64_t maxDigitsOf(int base);

/// What one reading of the input text gave.
struct BaseReading {
    enum Outcome { kValue, kInvalid, kOverflow } outcome = kValue;
    std::uint32_t value = 0;
};

/// Digits of base 2, 8 or 16, most significant first; lower- and upper-case hexadecimal letters.
BaseReading ParseDigits(const std::wstring& text, int base);
/// A whole decimal number by the C library's rules (leading white space and a sign accepted); a negative
/// value and a value above kLargestValue are an overflow.
BaseReading ReadDecimal(const std::wstring& text);
/// The value's bits from bit 31 down without leading zeros ("1101" for 13; "0" for 0).
std::wstring ToBinaryText(std::uint32_t value);

/// The digits (leading zeros removed) are more than the source base's field holds: an overflow.
bool CheckLength(const std::wstring& digits, std::uint64_t maxDigits);

/// What the result field shows and whether the input field is marked.
struct BaseResult {
    std::wstring text;
    bool markError = false;
};

/// One cell of the 4 x 4 table: source row x 4 + target column. The diagonal copies the text.
using BaseConverter = BaseResult (*)(const std::wstring& text);
extern const BaseConverter converters[kBaseCount * kBaseCount];

/// A whole conversion of the input text: empty text gives an empty result, equal bases copy the text as
/// typed, otherwise leading zeros go, more than maxDigits characters are "Overflow", then the table cell.
BaseResult convertBaseText(int source, int target, const std::wstring& text, std::uint64_t maxDigits);
