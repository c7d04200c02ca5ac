// SPDX-License-Identifier: MIT
#include "libs/file/lf_config.h"

lfConfig::lfConfig(int capacity) : m_capacity(capacity < 0 ? 0 : capacity) {}

lfConfig::~lfConfig() = default;

void lfConfig::removeAll() { m_sections.clear(); }

int lfConfig::trim(std::wstring& line) {
    size_t end = line.size();
    while (end > 0) {
        const wchar_t c = line[end - 1];
        if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\n') break;
        --end;
    }
    line.resize(end);
    return static_cast<int>(line.size());
}

lfSection* lfConfig::addSection(const std::wstring& name, int capacity) {
    if (name.empty()) return nullptr;
    if (lfSection* existing = findSection(name)) return existing;
    if (getSectionCount() >= m_capacity) return nullptr;
    m_sections.push_back(std::make_unique<lfSection>(name, capacity));
    return m_sections.back().get();
}

bool lfConfig::setValue(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    lfSection* target = findSection(section);
    return target != nullptr && target->setValue(key, value);
}

bool lfConfig::getValue(const std::wstring& section, const std::wstring& key, std::wstring* value) const {
    const lfSection* source = findSection(section);
    const lfRecord* record = source ? source->findRecord(key) : nullptr;
    if (record == nullptr) return false;
    if (value) *value = record->getValue();
    return true;
}

lfSection* lfConfig::getSection(int index) {
    if (index < 0 || index >= getSectionCount()) return nullptr;
    return m_sections[static_cast<size_t>(index)].get();
}

const lfSection* lfConfig::getSection(int index) const { return const_cast<lfConfig*>(this)->getSection(index); }

lfSection* lfConfig::findSection(const std::wstring& name) {
    for (auto& section : m_sections) {
        if (lfEqualNoCase(section->getName(), name)) return section.get();
    }
    return nullptr;
}

const lfSection* lfConfig::findSection(const std::wstring& name) const {
    return const_cast<lfConfig*>(this)->findSection(name);
}
