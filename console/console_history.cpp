// SPDX-License-Identifier: MIT
// The console's line history: the entries and the Up/Down navigation.
#include "console/console_history.h"

#include <algorithm>
#include <cwctype>

namespace {

bool equalIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    }
    return true;
}

}  // namespace

int ConsoleHistory::find(const std::wstring& text) const {
    for (int i = 0; i < m_count; ++i) {
        if (equalIgnoringCase(m_entries[i], text)) return i;
    }
    return -1;
}

bool ConsoleHistory::add(const std::wstring& line, bool correctsNewest) {
    // An entry is one line, as a paste makes it: a line break from a settings file would split the input line
    // it is recalled into.
    std::wstring text = line;
    text.erase(std::remove_if(text.begin(), text.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }),
               text.end());
    if (text.empty()) return false;
    if (text.size() > kEntryMax) text.resize(kEntryMax);
    if (correctsNewest && m_count > 0) {
        // A corrected line replaces the failed one instead of piling up.
        if (find(text) < 0) m_entries[m_count - 1] = text;
        m_cursor = m_count - 1;
        return true;
    }
    if (m_count == kCapacity) {
        for (int i = kDropped; i < kCapacity; ++i) m_entries[i - kDropped] = m_entries[i];
        for (int i = kCapacity - kDropped; i < kCapacity; ++i) m_entries[i].clear();
        m_count = kCapacity - kDropped;
    }
    if (find(text) < 0) m_entries[m_count++] = text;
    m_cursor = m_count - 1;
    return false;
}

void ConsoleHistory::clear() {
    for (std::wstring& entry : m_entries) entry.clear();
    m_count = 0;
    m_cursor = 0;
}

std::wstring ConsoleHistory::entry(int index) const {
    if (index < 0 || index >= m_count) return std::wstring();
    return m_entries[index];
}

bool ConsoleHistory::up(std::wstring* shown) {
    if (m_count == 0) return false;
    if (m_cursor < 0 || m_cursor >= m_count) m_cursor = m_count - 1;
    if (shown) *shown = m_entries[m_cursor];
    --m_cursor;
    return true;
}

bool ConsoleHistory::down(std::wstring* shown) {
    if (m_count == 0) return false;
    if (m_cursor < 0 || m_cursor >= m_count) m_cursor = 0;
    if (shown) *shown = m_entries[m_cursor];
    ++m_cursor;
    return true;
}
