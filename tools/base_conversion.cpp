// SPDX-License-Identifier: MIT
#include "tools/base_conversion.h"

#include <cstdio>
#include <cwchar>

namespace {

const wchar_t kOverflowText[] = L"Overflow";

/// The value of one digit character in base b, or -1.
int digitValue(wchar_t ch, int base) {
    int value = -1;
    if (ch >= L'0' && ch <= L'9') {
        value = ch - L'0';
    } else if (base > 10) {
        const wchar_t lower = (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
        if (lower >= L'a' && lower <= L'z') value = lower - L'a' + 10;
    }
    return value < base ? value : -1;
}

/// base to the power e, held at kLargestValue + 1 once it is beyond it (no 64-bit overflow).
std::uint64_t cappedPower(int base, std::size_t e) {
    std::uint64_t p = 1;
    for (std::size_t i = 0; i < e && p <= kLargestValue; ++i) p *= static_cast<std::uint64_t>(base);
    return p > kLargestValue ? kLargestValue + 1 : p;
}

BaseReading readBinary(const std::wstring& text) { return ParseDigits(text, 2); }
BaseReading readOctal(const std::wstring& text) { return ParseDigits(text, 8); }
BaseReading readHexadecimal(const std::wstring& text) { return ParseDigits(text, 16); }

std::wstring printed(const wchar_t* format, std::uint32_t value) {
    wchar_t buffer[40] = {};
    std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, static_cast<unsigned>(value));
    return buffer;
}
std::wstring writeOctal(std::uint32_t value) { return printed(L"%o", value); }
std::wstring writeDecimal(std::uint32_t value) { return printed(L"%u", value); }
std::wstring writeHexadecimal(std::uint32_t value) { return printed(L"%X", value); }

using Reader = BaseReading (*)(const std::wstring&);
using Writer = std::wstring (*)(std::uint32_t);

template <Reader read, Writer write>
BaseResult cell(const std::wstring& text) {
    const BaseReading reading = read(text);
    switch (reading.outcome) {
        case BaseReading::kValue: return {write(reading.value), false};
        case BaseReading::kOverflow: return {kOverflowText, true};
        default: return {std::wstring(), true};
    }
}

}  // namespace

const wchar_t* const kBaseNames[kBaseCount + 1] = {L"Binary", L"Octal", L"Decimal", L"Hexadecimal", nullptr};
const int kBases[kBaseCount] = {2, 8, 10, 16};

std::uint64_t maxDigitsOf(int base) {
    switch (base) {
        case 8: return 11;
        case 10: return 10;
        case 16: return 8;
        default: return 32;
    }
}

BaseReading ParseDigits(const std::wstring& text, int base) {
    std::uint64_t sum = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == L'0') continue;
        const int digit = digitValue(text[i], base);
        if (digit < 0) return {BaseReading::kInvalid, 0};
        // A digit of at least 1 at a power beyond the range is an overflow by itself.
        const std::uint64_t power = cappedPower(base, n - 1 - i);
        sum += power > kLargestValue ? power : static_cast<std::uint64_t>(digit) * power;
        if (sum > kLargestValue) return {BaseReading::kOverflow, 0};
    }
    return {BaseReading::kValue, static_cast<std::uint32_t>(sum)};
}

BaseReading ReadDecimal(const std::wstring& text) {
    if (text.empty()) return {BaseReading::kInvalid, 0};
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != L'\0') return {BaseReading::kInvalid, 0};
    // Beyond the 64-bit range the reading saturates: still an overflow, by its sign or its size.
    if (value < 0 || static_cast<unsigned long long>(value) > kLargestValue) return {BaseReading::kOverflow, 0};
    return {BaseReading::kValue, static_cast<std::uint32_t>(value)};
}

std::wstring ToBinaryText(std::uint32_t value) {
    if (value == 0) return L"0";
    std::wstring bits;
    for (int bit = 31; bit >= 0; --bit) {
        const bool one = (value >> bit) & 1u;
        if (one || !bits.empty()) bits += one ? L'1' : L'0';
    }
    return bits;
}

// Equal bases never reach the table (the text is given back as typed, leading zeros included): no diagonal.
const BaseConverter converters[kBaseCount * kBaseCount] = {
    nullptr, cell<readBinary, writeOctal>, cell<readBinary, writeDecimal>, cell<readBinary, writeHexadecimal>,
    cell<readOctal, ToBinaryText>, nullptr, cell<readOctal, writeDecimal>, cell<readOctal, writeHexadecimal>,
    cell<ReadDecimal, ToBinaryText>, cell<ReadDecimal, writeOctal>, nullptr, cell<ReadDecimal, writeHexadecimal>,
    cell<readHexadecimal, ToBinaryText>, cell<readHexadecimal, writeOctal>, cell<readHexadecimal, writeDecimal>,
    nullptr,
};

bool CheckLength(const std::wstring& digits, std::uint64_t maxDigits) { return digits.size() > maxDigits; }

BaseResult convertBaseText(int source, int target, const std::wstring& text, std::uint64_t maxDigits) {
    if (text.empty() || source < 0 || source >= kBaseCount || target < 0 || target >= kBaseCount) return {};
    if (source == target) return {text, false};
    // Leading zeros go, keeping one character: "000" reads as "0", "007" as "7".
    const std::size_t firstKept = text.find_first_not_of(L'0');
    const std::wstring digits = text.substr(firstKept == std::wstring::npos ? text.size() - 1 : firstKept);
    if (CheckLength(digits, maxDigits)) return {kOverflowText, true};
    return converters[source * kBaseCount + target](digits);
}
