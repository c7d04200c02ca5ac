// SPDX-License-Identifier: MIT
#include "app/folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "libs/graph/delvo_cmd_line.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMinPath = 7, kMaxPath = 225;

bool lengthOk(const std::wstring& path) { return path.size() >= kMinPath && path.size() <= kMaxPath; }

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

/// Creates the folder when missing (mode 0777, less the umask); errors are silent, like every settings-file failure.
void ensureFolder(const std::wstring& folder) {
    std::error_code error;
    fs::create_directories(fs::path(utf8FromWide(folder)), error);
}

bool folderExists(const std::wstring& folder) {
    std::error_code error;
    return fs::is_directory(fs::path(utf8FromWide(folder)), error);
}

}  // namespace

Folders Folders::locate(const std::wstring& executablePath, const std::wstring& userDataBase) {
    Folders folders;
    // userDataDir: the per-user folder of the program with its last component replaced by "Quarn".
    if (lengthOk(userDataBase)) {
        std::wstring base = userDataBase;
        while (base.size() > 1 && isSeparator(base.back())) base.pop_back();
        const size_t cut = base.find_last_of(L"/\\");
        folders.userDataDir = cut == std::wstring::npos ? base + kPathSeparator + L"Quarn" + kPathSeparator
                                                        : base.substr(0, cut + 1) + L"Quarn" + kPathSeparator;
        ensureFolder(folders.userDataDir);
    }
    // installDir: the executable's folder, or the folder above its "bin" (the last one on the path).
    if (lengthOk(executablePath)) {
        const size_t cut = executablePath.find_last_of(L"/\\");
        if (cut != std::wstring::npos) {
            folders.installDir = executablePath.substr(0, cut + 1);
            const std::wstring bin = std::wstring(1, kPathSeparator) + L"bin" + kPathSeparator;
            const size_t at = folders.installDir.rfind(bin);
            if (at != std::wstring::npos) folders.installDir.resize(at + 1);
            folders.helpDir = folders.installDir + L"doc" + kPathSeparator;
            folders.helpPath = folders.helpDir + L"tallyx.pdf";
        }
    }
    return folders;
}

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

std::wstring Folders::settingsFolder() const {
    const std::wstring beside = installDir.empty() ? std::wstring() : installDir + L"config" + kPathSeparator;
    if (!beside.empty() && folderExists(beside)) return beside;
    if (userDataDir.empty()) return beside;
    const std::wstring own = userDataDir + L"config" + kPathSeparator;
    ensureFolder(own);
    return own;
}

std::wstring Folders::settingsPath() const {
    const std::wstring folder = settingsFolder();
    return folder.empty() ? std::wstring() : folder + L"tallyx.quarnr";
}
