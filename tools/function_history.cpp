// SPDX-License-Identifier: MIT
#include "tools/function_history.h"

#include <algorithm>
#include <cwctype>

namespace {

bool equalNoCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<std::wint_t>(x)) == std::towlower(static_cast<std::wint_t>(y));
           });
}

}  // namespace

bool FunctionHistory::add(const std::wstring& text) {
    if (text.empty()) return false;
    if (m_count == kCapacity) {
        std::move(m_entries.begin() + kDropWhenFull, m_entries.end(), m_entries.begin());
        m_count = kCapacity - kDropWhenFull;
        std::fill(m_entries.begin() + m_count, m_entries.end(), std::wstring());
    }
    for (int i = 0; i < m_count; ++i) {
        if (equalNoCase(m_entries[static_cast<size_t>(i)], text)) return false;
    }
    m_entries[static_cast<size_t>(m_count++)] = text;
    return true;
}

std::wstring FunctionHistory::at(int index) const {
    if (index < 0 || index >= m_count) return {};
    return m_entries[static_cast<size_t>(index)];
}

void FunctionHistory::clear() {
    m_entries.fill(std::wstring());
    m_count = 0;
}
