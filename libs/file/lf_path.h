// SPDX-License-Identifier: MIT
// Wide file names as the file system takes them: UTF-8 bytes on POSIX, UTF-16 on Windows. GUI-free.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

/// The file-system path of a wide file name.
std::filesystem::path nativePath(const std::wstring& path);
/// The wide file name of a file-system path.
std::wstring widePath(const std::filesystem::path& path);
/// std::fopen of a wide file name; null when it cannot be opened.
std::FILE* openFile(const std::wstring& path, const char* mode);
/// Why the platform's last file-system call failed, in the system's words (errno on POSIX, the thread's last
/// error on Windows).
std::string lastFileSystemError();
