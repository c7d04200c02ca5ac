// SPDX-License-Identifier: MIT
// Character ranges of a text by the units a screen reader moves through: characters, words and lines.
#pragma once

#include <string>

/// How a range is bounded. A word is a run of letters, digits, "_" and "." (a name or a number) or a single
/// other sign, so "sin(2.5)" reads as "sin", "(", "2.5", ")" and "π≈3" as "π", "≈", "3". Lines end at a line feed (a CR before it belongs
/// to the line end).
enum class TextUnit {
    Character,
    WordStart,  ///< from a word's start to the next word's start (the blanks after it included)
    WordEnd,    ///< from the previous word's end to this word's end (the blanks before it included)
    LineStart,  ///< from a line's start to the next line's start (its line end included)
    LineEnd,    ///< from the previous line's end to this line's end (the line end before it included)
};

/// Half-open range of character offsets.
struct TextRange {
    int start = 0;
    int end = 0;
};

/// The unit containing offset; offsets outside the text are clamped to it.
TextRange textUnitAt(const std::wstring& text, int offset, TextUnit unit);
/// The unit just before / just after the one containing offset; empty at the text's start / end.
TextRange textUnitBefore(const std::wstring& text, int offset, TextUnit unit);
TextRange textUnitAfter(const std::wstring& text, int offset, TextUnit unit);
