// SPDX-License-Identifier: MIT
// The units a screen reader reads the console by: characters, words and lines of its text.
#include <gtest/gtest.h>

#include "console/text_units.h"

namespace {

struct UnitCase {
    const wchar_t* text;
    int offset;
    TextUnit unit;
    int start;
    int end;
};

std::wstring slice(const std::wstring& text, TextRange range) {
    return text.substr(range.start, range.end - range.start);
}

}  // namespace

TEST(TextUnits, UnitAtOffset) {
    const UnitCase cases[] = {
        {L"> 1+2\n3\n> ", 0, TextUnit::LineStart, 0, 6},
        {L"> 1+2\n3\n> ", 5, TextUnit::LineStart, 0, 6},   // on the line feed
        {L"> 1+2\n3\n> ", 6, TextUnit::LineStart, 6, 8},
        {L"> 1+2\n3\n> ", 10, TextUnit::LineStart, 8, 10},  // caret at the very end
        {L"> 1+2\n3\n> ", 7, TextUnit::LineEnd, 5, 7},
        {L"> 1+2\n3\n> ", 2, TextUnit::LineEnd, 0, 5},
        {L"a\r\nb", 3, TextUnit::LineEnd, 1, 4},             // CR LF is one line end
        {L"a\r\nb", 1, TextUnit::LineStart, 0, 3},
        {L"sin(2.5) + x1", 1, TextUnit::WordStart, 0, 3},
        {L"sin(2.5) + x1", 3, TextUnit::WordStart, 3, 4},    // a sign is a word of its own
        {L"sin(2.5) + x1", 5, TextUnit::WordStart, 4, 7},    // a number with its point
        {L"sin(2.5) + x1", 8, TextUnit::WordStart, 7, 9},    // blanks after a word belong to it
        {L"sin(2.5) + x1", 12, TextUnit::WordStart, 11, 13},
        {L"sin(2.5) + x1", 9, TextUnit::WordEnd, 8, 10},     // blanks before a word belong to it
        {L"   pi", 1, TextUnit::WordStart, 0, 3},             // leading blanks: no word before
        {L"\u03c0\u22483", 0, TextUnit::WordStart, 0, 1},     // "π≈3": a Greek letter is a name,
        {L"\u03c0\u22483", 1, TextUnit::WordStart, 1, 2},     // a symbol beyond ASCII a sign
        {L"2\u00d73", 1, TextUnit::WordStart, 1, 2},         // "×" is a sign,
        {L"caf\u00e9\tx", 0, TextUnit::WordStart, 0, 5},     // "é" a letter, a tab a blank
        {L"a\r\nb", 0, TextUnit::WordStart, 0, 3},
        {L"ab", 2, TextUnit::WordEnd, 2, 2},
        {L"\nb", 0, TextUnit::LineEnd, 0, 0},
        {L"\nb", 2, TextUnit::LineEnd, 0, 2},
        {L"x", 7, TextUnit::Character, 1, 1},                 // beyond the end: clamped
        {L"", 0, TextUnit::WordStart, 0, 0},
        {L"", 0, TextUnit::LineEnd, 0, 0},
    };
    for (const UnitCase& c : cases) {
        const TextRange range = textUnitAt(c.text, c.offset, c.unit);
        EXPECT_EQ(range.start, c.start) << "\"" << c.text << "\" at " << c.offset;
        EXPECT_EQ(range.end, c.end) << "\"" << c.text << "\" at " << c.offset;
    }
}

TEST(TextUnits, NeighboursWalkTheWholeText) {
    // Stepping from unit to unit with "after" and back with "before" visits every line and word once,
    // the way a screen reader's line-by-line and word-by-word reading does.
    const std::wstring text = L"> 2*pi\n6.28318530718\n> x=1\n> ";
    const struct {
        TextUnit unit;
        std::vector<std::wstring> pieces;
    } walks[] = {
        {TextUnit::LineStart, {L"> 2*pi\n", L"6.28318530718\n", L"> x=1\n", L"> "}},
        {TextUnit::WordStart, {L"> ", L"2", L"*", L"pi\n", L"6.28318530718\n", L"> ", L"x", L"=", L"1\n", L"> "}},
    };
    for (const auto& walk : walks) {
        std::vector<std::wstring> forward;
        for (TextRange r = textUnitAt(text, 0, walk.unit); r.start < r.end; r = textUnitAfter(text, r.start, walk.unit))
            forward.push_back(slice(text, r));
        EXPECT_EQ(forward, walk.pieces);
        std::vector<std::wstring> backward;
        for (TextRange r = textUnitAt(text, static_cast<int>(text.size()), walk.unit); r.start < r.end;
             r = textUnitBefore(text, r.start, walk.unit))
            backward.insert(backward.begin(), slice(text, r));
        EXPECT_EQ(backward, walk.pieces);
    }
}
