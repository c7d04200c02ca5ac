// SPDX-License-Identifier: MIT
// The program's folders: installation, help, per-user data. GUI-free.
#pragma once

#include <string>

/// Folder paths; each ends with a separator, or is empty when it could not be determined.
struct Folders {
    std::wstring installDir;
    std::wstring helpDir;
    std::wstring helpPath;
    std::wstring userDataDir;

    /// Works the folders out from the executable's full path and the per-user data base; creates userDataDir.
    static Folders locate(const std::wstring& executablePath, const std::wstring& userDataBase);
    /// Folders of this process: /proc/self/exe and the XDG data folder ($XDG_DATA_HOME or ~/.local/share).
    static Folders forThisProcess();
    /// "config" + separator in installDir when that folder exists, else in userDataDir (created when missing).
    std::wstring settingsFolder() const;
    /// settingsFolder() + "tallyx.quarnr".
    std::wstring settingsPath() const;
};

/// The native path separator ("/", or "\\" on Windows), defined with the platform's folders.
extern const wchar_t kPathSeparator;
