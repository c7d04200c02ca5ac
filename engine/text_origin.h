// SPDX-License-Identifier: MIT
// Where each character of a rewritten expression came from in the line the user typed.
#pragma once

#include <cstddef>
#include <vector>

/// A stretch [begin, end) of the typed line.
struct TextSpan {
    int begin = 0;
    int end = 0;
};

/// One span of the typed line per character of a working text, kept in step with every rewrite of it.
class TextOrigin {
public:
    /// The text is the typed line itself: character i came from i.
    void reset(size_t length);
    size_t size() const { return m_spans.size(); }
    /// Keeps the first length characters.
    void truncate(size_t length);
    /// Removes count characters at pos.
    void erase(size_t pos, size_t count);
    /// count characters at pos became newCount: each new one stands for all the replaced ones together.
    void replace(size_t pos, size_t count, size_t newCount);
    /// count characters inserted at pos stand where the character before them came from.
    void insert(size_t pos, size_t count);
    /// Keeps the characters whose flag is true (the blanks a removal dropped are false).
    void keep(const std::vector<bool>& kept);
    /// Keeps count characters from pos, then appends count of trailing characters standing for the last one.
    void slice(size_t pos, size_t count, size_t trailing);
    /// The typed stretch of character pos; at or past the end, the stretch of the last character.
    TextSpan at(size_t pos) const;
    /// The typed stretch covering characters [begin, end) (at least the one at begin).
    TextSpan cover(size_t begin, size_t end) const;
    /// Appends count characters that stand for span.
    void append(TextSpan span, size_t count = 1);
    /// Appends the spans of source's characters [pos, pos + count).
    void append(const TextOrigin& source, size_t pos, size_t count);
    void clear() { m_spans.clear(); }

private:
    std::vector<TextSpan> m_spans;
};
