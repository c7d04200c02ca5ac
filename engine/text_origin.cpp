// SPDX-License-Identifier: MIT
#include "engine/text_origin.h"

#include <algorithm>

void TextOrigin::reset(size_t length) {
    m_spans.resize(length);
    for (size_t i = 0; i < length; ++i) m_spans[i] = {static_cast<int>(i), static_cast<int>(i) + 1};
}

void TextOrigin::truncate(size_t length) {
    if (length < m_spans.size()) m_spans.resize(length);
}

void TextOrigin::erase(size_t pos, size_t count) {
    if (pos >= m_spans.size()) return;
    count = std::min(count, m_spans.size() - pos);
    m_spans.erase(m_spans.begin() + static_cast<long>(pos), m_spans.begin() + static_cast<long>(pos + count));
}

void TextOrigin::replace(size_t pos, size_t count, size_t newCount) {
    if (pos > m_spans.size()) return;
    count = std::min(count, m_spans.size() - pos);
    TextSpan whole = pos < m_spans.size() ? m_spans[pos] : at(pos);
    for (size_t i = pos; i < pos + count; ++i) {
        whole.begin = std::min(whole.begin, m_spans[i].begin);
        whole.end = std::max(whole.end, m_spans[i].end);
    }
    m_spans.erase(m_spans.begin() + static_cast<long>(pos), m_spans.begin() + static_cast<long>(pos + count));
    m_spans.insert(m_spans.begin() + static_cast<long>(pos), newCount, whole);
}

void TextOrigin::insert(size_t pos, size_t count) {
    pos = std::min(pos, m_spans.size());
    const TextSpan where = pos > 0 ? m_spans[pos - 1] : at(0);
    m_spans.insert(m_spans.begin() + static_cast<long>(pos), count, where);
}

void TextOrigin::keep(const std::vector<bool>& kept) {
    size_t to = 0;
    for (size_t i = 0; i < m_spans.size(); ++i)
        if (i < kept.size() && kept[i]) m_spans[to++] = m_spans[i];
    m_spans.resize(to);
}

void TextOrigin::slice(size_t pos, size_t count, size_t trailing) {
    pos = std::min(pos, m_spans.size());
    count = std::min(count, m_spans.size() - pos);
    std::vector<TextSpan> part(m_spans.begin() + static_cast<long>(pos),
                               m_spans.begin() + static_cast<long>(pos + count));
    const TextSpan last = part.empty() ? at(pos) : part.back();
    part.insert(part.end(), trailing, last);
    m_spans = std::move(part);
}

TextSpan TextOrigin::at(size_t pos) const {
    if (m_spans.empty()) return {};
    return m_spans[std::min(pos, m_spans.size() - 1)];
}

TextSpan TextOrigin::cover(size_t begin, size_t end) const {
    TextSpan span = at(begin);
    for (size_t i = begin + 1; i < end && i < m_spans.size(); ++i) {
        span.begin = std::min(span.begin, m_spans[i].begin);
        span.end = std::max(span.end, m_spans[i].end);
    }
    return span;
}

void TextOrigin::append(TextSpan span, size_t count) { m_spans.insert(m_spans.end(), count, span); }

void TextOrigin::append(const TextOrigin& source, size_t pos, size_t count) {
    for (size_t i = pos; i < pos + count; ++i) m_spans.push_back(source.at(i));
}
