// SPDX-License-Identifier: MIT
// The console's line history: 12 entries, oldest first, with its navigation cursor. GUI-free.
#pragma once

#include <array>
#include <string>

/// Entries compare ignoring case. Used by ConsoleEdit; settings restore and save it.
class ConsoleHistory {
public:
    static constexpr int kCapacity = 12;
    /// Entries dropped when a 13th is added.
    static constexpr int kDropped = 5;
    /// Longest entry: history entries hold 255 characters; longer text is cut.
    static constexpr int kEntryMax = 255;

    /// Adds text, without its line breaks, as the newest entry (a case-insensitive duplicate moves up instead;
    /// a 13th drops the five oldest). With correctsNewest (not failed, last one failed) the newest entry is
    /// replaced instead when there is one. Returns true when it was replaced (the caller then clears lastFailed).
    bool add(const std::wstring& text, bool correctsNewest = false);
    /// Empties the history (count 0, cursor 0).
    void clear();
    int count() const { return m_count; }
    int cursor() const { return m_cursor; }
    /// Entry by index, 0 = oldest; empty outside 0..count-1.
    std::wstring entry(int index) const;
    /// Up: the entry to show, the cursor then moves to an older one. False with an empty history.
    bool up(std::wstring* shown);
    /// Down: the entry to show, the cursor then moves to a newer one. False with an empty history.
    bool down(std::wstring* shown);

private:
    int find(const std::wstring& text) const;

    std::array<std::wstring, kCapacity> m_entries;
    int m_count = 0;
    int m_cursor = 0;
};
