// SPDX-License-Identifier: MIT
#include "engine/preprocess.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr size_t kTextMax = 383;

bool isDecimalDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

/// Character at i, or the terminator past the end.
wchar_t at(const std::wstring& text, size_t i) { return i < text.size() ? text[i] : L'\0'; }

/// Replaces count characters at pos; the text stays within its 383 characters.
void replaceAt(std::wstring& text, size_t pos, size_t count, const std::wstring& with, TextOrigin* origin) {
    text.replace(pos, count, with);
    if (origin) origin->replace(pos, count, with.size());
    if (text.size() > kTextMax) text.resize(kTextMax);
    if (origin) origin->truncate(text.size());
}

/// afterDigit is also true at position 0.
bool rewriteExponent(std::wstring& text, size_t i, bool afterDigit) {
    if (!afterDigit || text[i] != L'e') return false;
    const wchar_t next = at(text, i + 1);
    if (!isDecimalDigit(next) && next != L'+' && next != L'-') return false;
    text[i] = L'E';
    return true;
}

bool rewriteAns(std::wstring& text, size_t i, const LastAnswer& ans, TextOrigin* origin) {
    if (!ans.set || i >= 352 || text.size() - i < 3 || text.compare(i, 3, L"ans") != 0) return false;
    if (!isDelimiter(at(text, i + 3))) return false;
    wchar_t buffer[33];
    std::swprintf(buffer, 33, L"%g", ans.value);
    replaceAt(text, i, 3, buffer, origin);
    return true;
}

/// Base literal at i; on success i moves to the last character written.
bool rewriteBaseLiteral(std::wstring& text, size_t& i, TextOrigin* origin) {
    if (i > 352 || text.size() - i < 3 || text[i] != L'0') return false;
    const wchar_t kind = text[i + 1];
    if (kind == L'd' && isDecimalDigit(text[i + 2])) {
        text.erase(i, 2);
        if (origin) origin->erase(i, 2);
        return true;
    }
    int base = 0;
    size_t limit = 0;
    if (kind == L'b') base = 2, limit = 32;
    else if (kind == L'o') base = 8, limit = 11;
    else if (kind == L'x') base = 16, limit = 8;
    if (base == 0 || !isBaseDigit(text[i + 2], base)) return false;
    size_t end = i + 2;
    while (end < text.size() && isBaseDigit(text[end], base)) ++end;
    const size_t count = end - (i + 2);
    if (!isDelimiter(at(text, end)) || count > limit) return false;
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%u", parseInBase(text.substr(i + 2, count), base));
    const std::wstring decimal(buffer);
    replaceAt(text, i, end - i, decimal, origin);
    i += decimal.size() - 1;
    return true;
}

/// Factorial n! at i (the "!"); on success i moves to the closing parenthesis.
bool rewriteFactorial(std::wstring& text, size_t& i, bool afterDigit, TextOrigin* origin) {
    if (!afterDigit || text[i] != L'!' || i < 1 || i > 372 || !isDelimiter(at(text, i + 1))) return false;
    size_t start = i;
    while (start > 0 && isDecimalDigit(text[start - 1])) --start;
    if ((start > 0 && !isDelimiter(text[start - 1])) || i - start > 10) return false;
    const std::wstring call = L"fact(" + text.substr(start, i - start) + L")";
    replaceAt(text, start, i - start + 1, call, origin);
    i = std::min(start + call.size() - 1, text.size() - 1);
    return true;
}

/// "pi" or _k _q _h _c _e _n _m without parentheses get "()"; on success i moves to the ")".
bool rewriteConstant(std::wstring& text, size_t& i, TextOrigin* origin) {
    if (i >= 380 || text.size() - i < 2) return false;
    const wchar_t after = at(text, i + 2);
    if (!isDelimiter(after) || after == L'(') return false;
    const bool pi = text.compare(i, 2, L"pi") == 0;
    const bool physical = text[i] == L'_' && std::wcschr(L"kqhcenm", text[i + 1]) && text[i + 1] != L'\0';
    if (!pi && !physical) return false;
    if (text.size() + 2 > kTextMax) return false;
    text.insert(i + 2, L"()");
    if (origin) origin->insert(i + 2, 2);
    i = i + 3;
    return true;
}

}  // namespace

bool isDelimiter(wchar_t c) { return c == L'\0' || std::wcschr(L"\t\n\r !%&()*+-/;^|~", c) != nullptr; }

bool isBaseDigit(wchar_t c, int base) {
    if (base == 2) return c == L'0' || c == L'1';
    if (base == 8) return c >= L'0' && c <= L'7';
    if (base == 16) return isDecimalDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
    return isDecimalDigit(c);
}

std::uint32_t parseInBase(const std::wstring& digits, int base) {
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        if (!isBaseDigit(c, base)) return 0;
        const int digit = isDecimalDigit(c) ? c - L'0' : (std::towlower(c) - L'a' + 10);
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) return 0;
    }
    return static_cast<std::uint32_t>(value);
}

int preprocessExpression(const LastAnswer& ans, std::wstring& text, TextOrigin* origin) {
    if (text.size() > kTextMax) text.resize(kTextMax);
    if (origin) origin->truncate(text.size());
    bool tokenStart = true;
    bool afterDigit = true;
    // The text never grows past kTextMax: every rewrite checks the room it needs.
    for (size_t i = 0; i < text.size(); ++i) {
        // The first rule that applies is carried out.
        if (!rewriteExponent(text, i, afterDigit) && !(tokenStart && rewriteAns(text, i, ans, origin)) &&
            !(tokenStart && rewriteBaseLiteral(text, i, origin)) && !rewriteFactorial(text, i, afterDigit, origin) &&
            tokenStart) {
            rewriteConstant(text, i, origin);
        }
        if (i >= text.size()) break;
        tokenStart = isDelimiter(text[i]);
        afterDigit = isDecimalDigit(text[i]);
    }
    return static_cast<int>(text.size());
}
