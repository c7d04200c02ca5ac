// SPDX-License-Identifier: MIT
// The folders of this process on Windows: the executable's own path, the user's data in the per-user local
// application-data folder (%LOCALAPPDATA%, else the shell's known folder), e.g. C:\Users\Zoë\AppData\Local.
#include "app/folders.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace {

/// Longest path the program asks Windows for; the folder rules refuse far shorter ones anyway.
constexpr DWORD kLongestPath = 32768;

std::wstring executablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);
    }
}

std::wstring localAppData() {
    wchar_t fromEnvironment[MAX_PATH + 1] = {};
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", fromEnvironment, MAX_PATH + 1);
    if (length > 2 && length <= MAX_PATH && fromEnvironment[1] == L':') return fromEnvironment;
    PWSTR known = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known) == S_OK && known != nullptr) folder = known;
    CoTaskMemFree(known);
    return folder;
}

}  // namespace

const wchar_t kPathSeparator = L'\\';

Folders Folders::forThisProcess() {
    // The program's own folder in local application data; locate() replaces its last part by "Quarn".
    const std::wstring base = localAppData();
    return locate(executablePath(), base.empty() ? std::wstring() : base + L"\\DelvoCalculator");
}
