// SPDX-License-Identifier: MIT
// The manual on Windows: Explorer opens the document with the application the user associated with PDF.
#include "console/help_viewer.h"

#include <windows.h>

bool showDocument(const std::wstring& path) {
    // Explorer from the Windows folder, never one found along the search path.
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const std::wstring explorer = std::wstring(windows) + L"\\explorer.exe";
    std::wstring commandLine = L"explorer.exe \"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(explorer.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
