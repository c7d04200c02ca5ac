// SPDX-License-Identifier: MIT
// The settings file's sections and their key tables. GUI-free.
#pragma once

#include <string>
#include <vector>

/// Entries per history in the file: Expr01..Expr12, Func01..Func12.
constexpr int kSettingsHistoryMax = 12;

/// One section of the file: its name, record capacity and the keys the reader accepts in it.
struct SettingsSectionKeys {
    const wchar_t* name;
    int capacity;
    std::vector<std::wstring> keys;

    /// True when key is one of the section's keys regardless of case.
    bool contains(const std::wstring& key) const;
};

extern const SettingsSectionKeys kSettingsCommon;
extern const SettingsSectionKeys kSettingsHistory;
extern const SettingsSectionKeys kSettingsFont;

/// The section named `name` regardless of case (Common, History, Font), or null.
const SettingsSectionKeys* findSettingsSection(const std::wstring& name);
/// "Expr%02d" / "Func%02d": prefix and a two-digit number.
std::wstring settingsHistoryKey(const wchar_t* prefix, int number);
