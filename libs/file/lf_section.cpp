// SPDX-License-Identifier: MIT
#include "libs/file/lf_section.h"

#include <utility>

namespace {

// Locale-independent folding: ASCII and Latin-1 capitals (not the multiplication sign 0xD7).
wchar_t foldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
    return c;
}

}  // namespace

bool lfEqualNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

lfSection::lfSection(std::wstring name, int capacity) : m_name(std::move(name)), m_capacity(capacity < 0 ? 0 : capacity) {}

lfRecord* lfSection::getRecord(int index) {
    if (index < 0 || index >= getRecordCount()) return nullptr;
    return &m_records[static_cast<size_t>(index)];
}

const lfRecord* lfSection::getRecord(int index) const { return const_cast<lfSection*>(this)->getRecord(index); }

lfRecord* lfSection::findRecord(const std::wstring& key) {
    for (auto& record : m_records) {
        if (lfEqualNoCase(record.getKey(), key)) return &record;
    }
    return nullptr;
}

const lfRecord* lfSection::findRecord(const std::wstring& key) const {
    return const_cast<lfSection*>(this)->findRecord(key);
}

bool lfSection::setValue(const std::wstring& key, const std::wstring& value) {
    if (lfRecord* record = findRecord(key)) {
        record->setValue(value);
        return true;
    }
    if (key.empty() || getRecordCount() >= m_capacity) return false;
    m_records.emplace_back(key, value);
    return true;
}
