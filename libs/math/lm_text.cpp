// SPDX-License-Identifier: MIT
// Number text helpers: blank removal, the automatic notation, printf tidying and the "C"-locale number reader.
#include "libs/math/lm_engine_impl.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

constexpr int kAutoPrecision = 15;

/// Shortest text of value with at most precision (1 to 15) significant digits, %g rules ("C" locale, no trailing
/// zeros); 64 characters hold any of them.
std::string generalText(double value, int precision) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

}  // namespace

const char* lmReadNumber(const char* first, const char* last, double* value, std::chars_format format) {
    const auto result = std::from_chars(first, last, *value, format);
    if (result.ec == std::errc()) return result.ptr;
    if (result.ec != std::errc::result_out_of_range) return nullptr;
    // Beyond double: long double decides between overflow (inf) and underflow (0), as strtod would.
    long double wide = 0.0L;
    const auto wideResult = std::from_chars(first, last, wide, format);
    if (wideResult.ec == std::errc()) {
        *value = static_cast<double>(wide);
    } else {
        const std::string text(first, result.ptr);
        const size_t exponent = text.find_first_of(format == std::chars_format::hex ? "pP" : "eE");
        // The number read ends in a digit, so a character follows the exponent's letter.
        const bool tiny = exponent != std::string::npos && text[exponent + 1] == '-';
        *value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return result.ptr;
}

int lm_removeSpace(std::wstring& text) {
    // Line ends go too, so an empty batch line passes as the plain number 0.
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }),
               text.end());
    return static_cast<int>(text.size());
}

void lm_reformatAuto(double value, std::wstring& out, int maxLength) {
    out.clear();
    if (maxLength <= 0) return;
    std::string text;
    if (std::isnan(value)) {
        text = "nan";
    } else if (std::isinf(value)) {
        text = value > 0 ? "inf" : "-inf";
    } else if (value == 0) {
        text = "0";  // also for -0
    } else {
        // Fewer digits until the text fits; below that the text is cut (no call site asks for fewer than 15).
        for (int precision = kAutoPrecision; precision >= 1; --precision) {
            text = generalText(value, precision);
            if (static_cast<int>(text.size()) <= maxLength) break;
        }
    }
    if (static_cast<int>(text.size()) > maxLength) text.resize(static_cast<size_t>(maxLength));
    out.assign(text.begin(), text.end());
}

void lm_reformat(std::wstring& text, bool tidy) {
    if (!tidy) return;
    const size_t point = text.find(L'.');
    if (point == std::wstring::npos) return;
    size_t fractionEnd = point + 1;
    while (fractionEnd < text.size() && isDigit(text[fractionEnd])) ++fractionEnd;
    size_t keep = fractionEnd;
    while (keep > point + 1 && text[keep - 1] == L'0') --keep;
    if (keep == point + 1) keep = point;  // no fraction digits left: drop the point too
    text.erase(keep, fractionEnd - keep);

    // A mantissa of zeros only ("-0", "0e+00") is written as plain "0".
    const size_t mantissaStart = text.find_first_not_of(L" +-");
    if (mantissaStart == std::wstring::npos) return;
    size_t mantissaEnd = mantissaStart;
    while (mantissaEnd < text.size() && (isDigit(text[mantissaEnd]) || text[mantissaEnd] == L'.')) ++mantissaEnd;
    const bool allZero = mantissaEnd > mantissaStart &&
                         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(mantissaStart),
                                     text.begin() + static_cast<std::ptrdiff_t>(mantissaEnd),
                                     [](wchar_t c) { return c == L'0' || c == L'.'; });
    if (!allZero) return;
    size_t end = mantissaEnd;
    if (end < text.size() && (text[end] == L'e' || text[end] == L'E')) {
        ++end;
        if (end < text.size() && (text[end] == L'+' || text[end] == L'-')) ++end;
        while (end < text.size() && isDigit(text[end])) ++end;
    }
    const size_t start = text.find_first_not_of(L' ');
    text.replace(start, end - start, L"0");
}

double lm_toDouble(const std::wstring& text) {
    // Like wcstod in the "C" locale: leading white space, a sign, decimal or 0x hexadecimal, inf, nan.
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == L' ' || (text[pos] >= L'\t' && text[pos] <= L'\r'))) ++pos;
    std::string ascii;
    for (; pos < text.size() && text[pos] > 0 && text[pos] < 128; ++pos) ascii.push_back(static_cast<char>(text[pos]));

    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first != last && (*first == '+' || *first == '-')) return 0.0;  // from_chars would take a second sign
    auto format = std::chars_format::general;
    if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
        format = std::chars_format::hex;
        first += 2;
    }
    double value = 0.0;
    // "0x" without hexadecimal digits reads as the 0 before the x (wcstod does the same).
    if (lmReadNumber(first, last, &value, format) == nullptr) return 0.0;
    return negative ? -value : value;
}
