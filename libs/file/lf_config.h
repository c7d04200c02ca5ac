// SPDX-License-Identifier: MIT
// The settings store: sections and key/value records in memory. GUI-free.
//
// Decisions (see docs/design.md, "Settings store"):
// - Names are found regardless of case: getValue, setValue and addSection match section names and keys
//   without regard to case, so a hand-edited file in lower case takes effect. A record keeps the spelling
//   of its key as first set; setting "size" after "Size" replaces the value of "Size".
// - addSection for a name already present (regardless of case) gives the existing section, unchanged
//   (its capacity stays); a repeated header in a file therefore fills the same section.
// - trim removes trailing blanks, tabs, CR and LF (not leading ones) and returns the length left.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "libs/file/lf_record.h"
#include "libs/file/lf_section.h"

/// Sections in the order they were added, at most `capacity` of them.
class lfConfig {
public:
    /// A negative capacity counts as 0.
    explicit lfConfig(int capacity);
    ~lfConfig();
    lfConfig(const lfConfig&) = delete;
    lfConfig& operator=(const lfConfig&) = delete;

    /// Empties the configuration of all sections and records.
    void removeAll();
    /// Removes trailing blanks, tabs, CR and LF from line in place; gives the length left.
    static int trim(std::wstring& line);
    /// Adds a section with that record capacity, or gives the one of that name; null when full or name empty.
    lfSection* addSection(const std::wstring& name, int capacity);
    /// Sets key's value in the named section, adding the record when new; false: no section or section full.
    bool setValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    /// True when the key exists in that section; its value is then copied into *value (when not null).
    bool getValue(const std::wstring& section, const std::wstring& key, std::wstring* value) const;
    /// The number of sections.
    int getSectionCount() const { return static_cast<int>(m_sections.size()); }
    /// The most sections the configuration takes.
    int getCapacity() const { return m_capacity; }
    /// The section at index (0 = first added), or null outside 0..count-1.
    lfSection* getSection(int index);
    const lfSection* getSection(int index) const;
    /// The section named `name` regardless of case, or null.
    lfSection* findSection(const std::wstring& name);
    const lfSection* findSection(const std::wstring& name) const;

private:
    int m_capacity;
    std::vector<std::unique_ptr<lfSection>> m_sections;
};
