// SPDX-License-Identifier: MIT
// A named section of records in the settings store. GUI-free.
#pragma once

#include <string>
#include <vector>

#include "libs/file/lf_record.h"

/// Records in the order their keys were first set, at most `capacity` of them.
class lfSection {
public:
    /// A negative capacity counts as 0.
    lfSection(std::wstring name, int capacity);

    /// The name as it was first added.
    const std::wstring& getName() const { return m_name; }
    /// The most records the section takes.
    int getCapacity() const { return m_capacity; }
    /// The number of records.
    int getRecordCount() const { return static_cast<int>(m_records.size()); }
    /// The record at index (0 = first set), or null outside 0..count-1.
    lfRecord* getRecord(int index);
    const lfRecord* getRecord(int index) const;
    /// The record whose key equals `key` regardless of case, or null.
    lfRecord* findRecord(const std::wstring& key);
    const lfRecord* findRecord(const std::wstring& key) const;
    /// Replaces the value of an existing key in place, else appends a record; false when full.
    bool setValue(const std::wstring& key, const std::wstring& value);
    /// Removes all records.
    void removeAll() { m_records.clear(); }

private:
    std::wstring m_name;
    int m_capacity;
    std::vector<lfRecord> m_records;
};

/// True when a and b are equal regardless of case (ASCII letters and Latin-1 letters).
bool lfEqualNoCase(const std::wstring& a, const std::wstring& b);
