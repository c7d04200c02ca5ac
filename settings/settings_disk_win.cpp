// SPDX-License-Identifier: MIT
// The atomic save on Windows: a new temporary file in the same folder, flushed to disk, then moved over the
// settings file in one step.
#include "settings/settings_disk.h"

#include <windows.h>

#include "libs/file/lf_path.h"

namespace {

/// Temporary names tried before the save gives up.
constexpr int kTemporaryAttempts = 100;

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(bytes.size() - done < 0x10000000 ? bytes.size() - done : 0x10000000);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::wstring& path, const std::string& bytes, std::string* problem) {
    const auto fail = [problem] {
        if (problem) *problem = lastFileSystemError();
        return false;
    };
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return fail();
    }
    std::wstring tmpName;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kTemporaryAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        tmpName = path + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
        file = CreateFileW(tmpName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        // A read-only or missing folder: no later name works either.
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return fail();
    }
    if (file == INVALID_HANDLE_VALUE) return fail();
    bool ok = writeAll(file, bytes) && FlushFileBuffers(file);
    DWORD error = ok ? 0 : GetLastError();
    if (!CloseHandle(file) && ok) ok = false, error = GetLastError();
    if (ok && !MoveFileExW(tmpName.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = false, error = GetLastError();
    if (!ok) {
        DeleteFileW(tmpName.c_str());
        SetLastError(error);
        return fail();
    }
    return true;
}
