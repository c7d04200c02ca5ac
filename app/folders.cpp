// SPDX-License-Identifier: MIT
#include "app/folders.h"

#include <filesystem>
#include <system_error>

#include "libs/file/lf_path.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMinPath = 7, kMaxPath = 225;

bool lengthOk(const std::wstring& path) { return path.size() >= kMinPath && path.size() <= kMaxPath; }

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

/// Creates the folder when missing (mode 0777, less the umask); errors are silent, like every settings-file failure.
void ensureFolder(const std::wstring& folder) {
    std::error_code error;
    fs::create_directories(nativePath(folder), error);
}

bool folderExists(const std::wstring& folder) {
    std::error_code error;
    return fs::is_directory(nativePath(folder), error);
}

}  // namespace

Folders Folders::locate(const std::wstring& executablePath, const std::wstring& userDataBase) {
    Folders folders;
    // userDataDir: the per-user folder of the program with its last component replaced by "Quarn".
    if (lengthOk(userDataBase)) {
        std::wstring base = userDataBase;
        while (base.size() > 1 && isSeparator(base.back())) base.pop_back();
        // The folder that holds the last component; a bare name has none (npos + 1 is 0): "Quarn" stands alone.
        const size_t cut = base.find_last_of(L"/\\");
        folders.userDataDir = base.substr(0, cut + 1) + L"Quarn" + kPathSeparator;
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
