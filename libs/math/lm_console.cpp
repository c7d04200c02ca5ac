// SPDX-License-Identifier: MIT
// Text-console helpers: on POSIX the process already has its console; redirection reopens stdout and stderr.
#include "libs/math/lm_console.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
/// UTF-8 form of a wide path (wchar_t holds UTF-32 code points on POSIX).
std::string toUtf8(const std::wstring& text)
{
    std::string utf8;
    for (wchar_t wc : text) {
        const auto c = static_cast<unsigned long>(wc);
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}
#endif

}  // namespace

void win32EnableConsole() {}

void win32SendEnterKey()
{
    std::fflush(stdout);
}

bool lf_redirectConsole(const std::wstring& fileName, std::FILE** outStream, std::FILE** errStream)
{
    if (fileName.empty()) return false;
    std::fflush(stdout);
    std::fflush(stderr);
#ifdef _WIN32
    // freopen closes the stream when it fails: try the file first so that stdout survives a bad path.
    std::FILE* probe = _wfopen(fileName.c_str(), L"w");
    if (probe == nullptr) return false;
    std::fclose(probe);
    std::FILE* out = _wfreopen(fileName.c_str(), L"w", stdout);
    std::FILE* err = out != nullptr ? _wfreopen(fileName.c_str(), L"a", stderr) : nullptr;
#else
    // Both descriptors share one open file (one write position); stdout and stderr stay open on failure.
    const int fd = open(toUtf8(fileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool redirected = dup2(fd, fileno(stdout)) >= 0 && dup2(fd, fileno(stderr)) >= 0;
    close(fd);
    std::FILE* out = redirected ? stdout : nullptr;
    std::FILE* err = redirected ? stderr : nullptr;
#endif
    if (outStream != nullptr) *outStream = out;
    if (errStream != nullptr) *errStream = err;
    return out != nullptr && err != nullptr;
}
