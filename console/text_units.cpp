// SPDX-License-Identifier: MIT
// Character ranges of a text by the units a screen reader moves through.
#include "console/text_units.h"

#include <algorithm>
#include <cctype>

namespace {

enum class CharClass { Blank, Word, Sign };

// Letters beyond ASCII that names use: µ, accented Latin letters and Greek (π); other symbols such as "≈"
// are signs.
bool isLetterBeyondAscii(wchar_t c) {
    return c == 0xB5 || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x370 && c <= 0x3FF);
}

CharClass classOf(wchar_t c) {
    if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') return CharClass::Blank;
    if ((c < 0x80 && std::isalnum(static_cast<unsigned char>(c))) || c == L'_' || c == L'.' || isLetterBeyondAscii(c))
        return CharClass::Word;
    return CharClass::Sign;
}

// A word starts at i when the character there is not blank and differs in class from the one before
// (a sign is a word of its own).
bool isWordStart(const std::wstring& text, int i) {
    const CharClass here = classOf(text[i]);
    if (here == CharClass::Blank) return false;
    return i == 0 || here == CharClass::Sign || classOf(text[i - 1]) != here;
}

// A word ends at i (the offset after its last character).
bool isWordEnd(const std::wstring& text, int i) {
    const int length = static_cast<int>(text.size());
    const CharClass before = classOf(text[i - 1]);
    if (before == CharClass::Blank) return false;
    return i == length || before == CharClass::Sign || classOf(text[i]) != before;
}

// The range between the last boundary at or before offset and the first one after it.
template <typename IsBoundary>
TextRange between(int length, int offset, int first, int last, IsBoundary isBoundary) {
    TextRange range{0, length};
    for (int i = std::min(offset, last); i >= first; --i)
        if (isBoundary(i)) {
            range.start = i;
            break;
        }
    for (int i = std::max(offset + 1, first); i <= last; ++i)
        if (isBoundary(i)) {
            range.end = i;
            break;
        }
    return range;
}

// Offset of the line end (its CR, if any) of the line holding offset.
int lineEndAt(const std::wstring& text, int offset) {
    const std::size_t feed = text.find(L'\n', static_cast<std::size_t>(offset));
    if (feed == std::wstring::npos) return static_cast<int>(text.size());
    const int end = static_cast<int>(feed);
    return end > 0 && text[end - 1] == L'\r' ? end - 1 : end;
}

}  // namespace

TextRange textUnitAt(const std::wstring& text, int offset, TextUnit unit) {
    const int length = static_cast<int>(text.size());
    offset = std::clamp(offset, 0, length);
    switch (unit) {
        case TextUnit::Character:
            return {offset, std::min(offset + 1, length)};
        case TextUnit::WordStart:
            return between(length, offset, 0, length - 1, [&](int i) { return isWordStart(text, i); });
        case TextUnit::WordEnd:
            return between(length, offset, 1, length, [&](int i) { return isWordEnd(text, i); });
        case TextUnit::LineStart: {
            const std::size_t feed = offset == 0 ? std::wstring::npos : text.rfind(L'\n', offset - 1);
            const std::size_t next = text.find(L'\n', offset);
            return {feed == std::wstring::npos ? 0 : static_cast<int>(feed) + 1,
                    next == std::wstring::npos ? length : static_cast<int>(next) + 1};
        }
        case TextUnit::LineEnd: break;
    }
    const int end = lineEndAt(text, offset);
    const std::size_t feed = offset == 0 ? std::wstring::npos : text.rfind(L'\n', std::min(offset, end) - 1);
    int start = 0;
    if (feed != std::wstring::npos)
        start = feed > 0 && text[feed - 1] == L'\r' ? static_cast<int>(feed) - 1 : static_cast<int>(feed);
    return {start, end};
}

TextRange textUnitBefore(const std::wstring& text, int offset, TextUnit unit) {
    const TextRange at = textUnitAt(text, offset, unit);
    if (at.start == 0) return {0, 0};
    TextRange before = textUnitAt(text, at.start - 1, unit);
    before.end = std::min(before.end, at.start);
    return before;
}

TextRange textUnitAfter(const std::wstring& text, int offset, TextUnit unit) {
    const int length = static_cast<int>(text.size());
    const TextRange at = textUnitAt(text, offset, unit);
    if (at.end >= length) return {length, length};
    TextRange after = textUnitAt(text, at.end, unit);
    after.start = std::max(after.start, at.end);
    return after;
}
