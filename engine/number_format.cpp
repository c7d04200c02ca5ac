// SPDX-License-Identifier: MIT
#include "engine/number_format.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "libs/math/lm_math.h"

namespace {

constexpr int kBufferMax = 384;

/// A caller's printf format is used only when it has exactly one conversion of a double (no %s, %n...).
bool isSafeDoubleFormat(const std::wstring& format) {
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') continue;
        ++i;
        if (i < format.size() && format[i] == L'%') continue;
        while (i < format.size() && std::wcschr(L"-+ #0", format[i])) ++i;
        while (i < format.size() && std::iswdigit(format[i])) ++i;
        if (i < format.size() && format[i] == L'.') {
            ++i;
            while (i < format.size() && std::iswdigit(format[i])) ++i;
        }
        if (i < format.size() && format[i] == L'l') ++i;
        if (i >= format.size() || !std::wcschr(L"eEfFgGaA", format[i])) return false;
        ++conversions;
    }
    return conversions == 1 && format.size() < 64;
}

/// printf of one double into text of at most maxLength characters.
void printDouble(const std::wstring& format, double value, std::wstring& out, int maxLength) {
    std::vector<wchar_t> buffer(1024);
    // nan has no sign a user could use: every notation shows it as "nan".
    if (std::isnan(value)) value = std::fabs(value);
    int n = std::swprintf(buffer.data(), buffer.size(), format.c_str(), value);
    // A text that does not fit is refused, not cut: glibc says so with -1, other C libraries with its full length.
    if (n < 0 || n >= static_cast<int>(buffer.size())) {
        out.clear();
        return;
    }
    out.assign(buffer.data(), std::min(n, maxLength));
}

}  // namespace

void formatValue(double value, std::wstring& out, int maxLength, const NumberFormat& format) {
    out.clear();
    if (maxLength < 1 || maxLength > kBufferMax) return;
    if (format.mode != NumberFormat::kInt) {
        const double magnitude = std::fabs(value);
        const bool fixed = value == 0 || (magnitude > 1e-9 && magnitude < 1e9);
        printDouble(fixed ? format.fixedFormat : format.exponentFormat, value, out, maxLength);
        lm_reformat(out, true);
        return;
    }
    printDouble(format.fixedFormat, value, out, maxLength);
    lm_reformat(out, true);
    const size_t stop = out.rfind(L'.');
    if (stop != std::wstring::npos) out.erase(stop);
    if (std::fabs(value) < 12) {
        const double t = static_cast<double>(static_cast<std::int32_t>(value));
        if (value != t && std::fabs(value - t) > (std::fabs(t) + std::fabs(value)) * 2.220446049250313e-16 &&
            static_cast<int>(out.size()) + 3 <= maxLength)
            out += L"...";
    }
}

void formatResult(double value, std::wstring& out, int maxLength, const NumberFormat& format,
                  const std::wstring* callerFormat) {
    if (format.mode != NumberFormat::kAuto) {
        formatValue(value, out, maxLength, format);
        return;
    }
    if (callerFormat && isSafeDoubleFormat(*callerFormat)) {
        printDouble(*callerFormat, value, out, maxLength);
        lm_reformat(out, true);
        return;
    }
    lm_reformatAuto(value, out, maxLength);
}

std::wstring formatInBase(std::uint32_t value, int base) {
    if (base != 2 && base != 8 && base != 16) return {};
    const wchar_t* prefix = base == 2 ? L"0b" : (base == 8 ? L"0o" : L"0x");
    if (value == 0) return std::wstring(prefix) + L"0";
    std::wstring digits;
    while (value) {
        digits.insert(digits.begin(), L"0123456789ABCDEF"[value % base]);
        value /= base;
    }
    return prefix + digits;
}

void applyOutputBase(std::wstring& text, int base) {
    if (base == 10 || text.empty()) return;
    // wxString::ToLong's rule: the whole text must be a base-10 integer. We take every value that fits
    // 32 bits signed or unsigned (Windows' 32-bit long would refuse 2^31..2^32-1; users expect 0xFFFFFFFF).
    errno = 0;
    wchar_t* end = nullptr;
    const long long number = std::wcstoll(text.c_str(), &end, 10);
    if (errno || end != text.c_str() + text.size() || std::iswspace(text[0])) return;
    if (number < INT32_MIN || number > static_cast<long long>(UINT32_MAX)) return;
    text = formatInBase(static_cast<std::uint32_t>(number), base);
}
