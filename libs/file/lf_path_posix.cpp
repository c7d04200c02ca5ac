// SPDX-License-Identifier: MIT
// POSIX file names are bytes; the program writes and reads them as UTF-8.
#include "libs/file/lf_path.h"

#include <cerrno>
#include <cstring>

#include "libs/file/lf_text.h"

std::filesystem::path nativePath(const std::wstring& path) { return std::filesystem::path(utf8FromWide(path)); }

std::wstring widePath(const std::filesystem::path& path) { return wideFromUtf8(path.string()); }

std::FILE* openFile(const std::wstring& path, const char* mode) {
    return path.empty() ? nullptr : std::fopen(utf8FromWide(path).c_str(), mode);
}

std::string lastFileSystemError() { return std::strerror(errno); }
