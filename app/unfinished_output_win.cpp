// SPDX-License-Identifier: MIT
// The unfinished output file on Windows: "<output>.tmp-<process id>-<n>" beside the output; the console is
// given back before the rename, because Windows renames no file that the process still holds open.
#include "app/unfinished_output.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "app/exit_signals.h"
#include "app/process_console.h"
#include "libs/file/lf_path.h"
#include "libs/file/lf_text.h"

namespace {

/// Temporary names tried before batch mode gives up on the output file.
constexpr int kTemporaryAttempts = 100;

/// Points the stream back at the saved descriptor; without one, at the console, or else at nothing.
void giveBack(std::FILE* stream, int saved) {
    std::fflush(stream);
    const int current = _fileno(stream);
    if (saved >= 0 && current >= 0 && _dup2(saved, current) == 0) return;
    if (_wfreopen(L"CONOUT$", L"w", stream) == nullptr) _wfreopen(L"NUL", L"w", stream);
}

}  // namespace

UnfinishedOutput::~UnfinishedOutput() {
    for (int fd : m_console)
        if (fd >= 0) _close(fd);
}

bool UnfinishedOutput::begin(const std::wstring& outPath, std::string* problem) {
    if (outPath.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        *problem = lastFileSystemError();
        return false;
    }
    std::wstring name;
    for (int attempt = 0; attempt < kTemporaryAttempts && name.empty(); ++attempt) {
        const std::wstring candidate =
            outPath + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt);
        const HANDLE file =
            CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            name = candidate;
        } else if (GetLastError() != ERROR_FILE_EXISTS) {
            *problem = lastFileSystemError();
            return false;
        }
    }
    if (name.empty()) {
        *problem = lastFileSystemError();
        return false;
    }
    m_path = name;
    std::fflush(stdout);
    std::fflush(stderr);
    m_console[0] = _fileno(stdout) >= 0 ? _dup(_fileno(stdout)) : -1;
    m_console[1] = _fileno(stderr) >= 0 ? _dup(_fileno(stderr)) : -1;
    if (!lf_redirectConsole(m_path)) {
        *problem = "the console cannot be redirected into it";
        DeleteFileW(m_path.c_str());
        m_path.clear();
        return false;
    }
    endAtOnceRemoving(utf8FromWide(m_path));
    return true;
}

long UnfinishedOutput::writeSome(int fd, const char* data, size_t size) {
    return _write(fd, data, static_cast<unsigned>(size));
}

void UnfinishedOutput::abandon() {
    if (m_path.empty()) return;
    restoreConsole();
    DeleteFileW(m_path.c_str());
    m_path.clear();
    endAtOnceRemoving({});
}

bool UnfinishedOutput::finish(const std::wstring& outPath, std::string* problem) {
    if (m_path.empty()) return true;
    restoreConsole();
    const bool moved =
        MoveFileExW(m_path.c_str(), outPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!moved) {
        *problem = lastFileSystemError();
        DeleteFileW(m_path.c_str());
    }
    m_path.clear();
    endAtOnceRemoving({});
    return moved;
}

void UnfinishedOutput::restoreConsole() {
    giveBack(stdout, m_console[0]);
    giveBack(stderr, m_console[1]);
}
