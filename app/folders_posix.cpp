// SPDX-License-Identifier: MIT
// The folders of this process on POSIX: the executable from /proc/self/exe, the user's data in the XDG data folder.
#include "app/folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "libs/file/lf_text.h"

namespace fs = std::filesystem;

const wchar_t kPathSeparator = L'/';

Folders Folders::forThisProcess() {
    std::wstring executable;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error) executable = wideFromUtf8(self.string());
    // The XDG data folder stands for Windows' local application data; "tallyx" is the program's folder in it.
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) base = std::string(home) + "/.local/share";
    return locate(executable, base.empty() ? std::wstring() : wideFromUtf8(base + "/tallyx"));
}

