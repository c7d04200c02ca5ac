// SPDX-License-Identifier: MIT
// The solver's recent functions. GUI-free.
#pragma once

#include <array>
#include <string>

/// At most 12 functions, oldest first, no two equal regardless of case. When a thirteenth comes, the five
/// oldest go, so a full history does not shift on every solve.
class FunctionHistory {
public:
    static constexpr int kCapacity = 12;

    /// Adds text at the end; false for an empty text or one already there (case ignored).
    bool add(const std::wstring& text);
    int count() const { return m_count; }
    /// The entry at a 0-based index (0 = oldest), or empty outside 0..count-1.
    std::wstring at(int index) const;
    void clear();

private:
    /// Entries dropped at once when a full history takes a new one.
    static constexpr int kDropWhenFull = 5;

    std::array<std::wstring, kCapacity> m_entries;
    int m_count = 0;
};
