// SPDX-License-Identifier: MIT
// Windows file names are UTF-16: wide names go to the wide C runtime and file-system calls unchanged, so a
// folder such as "C:\Users\Zoë" works whatever the ANSI code page.
#include "libs/file/lf_path.h"

#include <cwchar>

#include <windows.h>

std::filesystem::path nativePath(const std::wstring& path) { return std::filesystem::path(path); }

std::wstring widePath(const std::filesystem::path& path) { return path.wstring(); }

std::FILE* openFile(const std::wstring& path, const char* mode) {
    if (path.empty() || mode == nullptr) return nullptr;
    wchar_t wideMode[8] = {};
    for (size_t i = 0; mode[i] != '\0' && i + 1 < sizeof wideMode / sizeof wideMode[0]; ++i)
        wideMode[i] = static_cast<wchar_t>(mode[i]);
    return _wfopen(path.c_str(), wideMode);
}

std::string lastFileSystemError() {
    const DWORD code = GetLastError();
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
    std::string message(text, length);
    // The system's text ends in a full stop and a line end; a message of ours goes on after it.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}
