// SPDX-License-Identifier: MIT
#include "settings/settings_keys.h"

#include "libs/file/lf_section.h"

namespace {

std::vector<std::wstring> historyKeys() {
    std::vector<std::wstring> keys;
    for (const wchar_t* prefix : {L"Expr", L"Func"}) {
        for (int i = 1; i <= kSettingsHistoryMax; ++i) keys.push_back(settingsHistoryKey(prefix, i));
    }
    return keys;
}

}  // namespace

const SettingsSectionKeys kSettingsCommon{
    L"Common", 6, {L"Maximized", L"PositionX", L"PositionY", L"Width", L"Height", L"Verbose"}};
const SettingsSectionKeys kSettingsHistory{L"History", 24, historyKeys()};
const SettingsSectionKeys kSettingsFont{L"Font",
                                        11,
                                        {L"Name", L"Size", L"Orient", L"Style", L"Weight", L"DefColor", L"BackColor",
                                         L"FuncColor", L"OpColor", L"NumberColor", L"SelColor"}};

bool SettingsSectionKeys::contains(const std::wstring& key) const {
    for (const auto& known : keys) {
        if (lfEqualNoCase(known, key)) return true;
    }
    return false;
}

const SettingsSectionKeys* findSettingsSection(const std::wstring& name) {
    for (const SettingsSectionKeys* section : {&kSettingsCommon, &kSettingsHistory, &kSettingsFont}) {
        if (lfEqualNoCase(section->name, name)) return section;
    }
    return nullptr;
}

std::wstring settingsHistoryKey(const wchar_t* prefix, int number) {
    std::wstring key = prefix;
    key += static_cast<wchar_t>(L'0' + (number / 10) % 10);
    key += static_cast<wchar_t>(L'0' + number % 10);
    return key;
}
