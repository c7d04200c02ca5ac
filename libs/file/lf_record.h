// SPDX-License-Identifier: MIT
// One key/value record of the settings store. GUI-free.
#pragma once

#include <string>
#include <utility>

/// A key and its value, both wide strings.
class lfRecord {
public:
    lfRecord(std::wstring key, std::wstring value) : m_key(std::move(key)), m_value(std::move(value)) {}

    /// The key as it was first set.
    const std::wstring& getKey() const { return m_key; }
    /// The current value.
    const std::wstring& getValue() const { return m_value; }
    /// Replaces the value; the key keeps its place and spelling.
    void setValue(const std::wstring& value) { m_value = value; }

private:
    std::wstring m_key;
    std::wstring m_value;
};
