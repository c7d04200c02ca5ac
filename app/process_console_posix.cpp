// SPDX-License-Identifier: MIT
// Text-console helpers on POSIX: the process already has its console; redirection reopens stdout and stderr.
#include "app/process_console.h"

#include <fcntl.h>
#include <unistd.h>

#include "libs/file/lf_text.h"

void win32EnableConsole() {}

void win32SendEnterKey() { std::fflush(stdout); }

bool lf_redirectConsole(const std::wstring& fileName) {
    if (fileName.empty()) return false;
    std::fflush(stdout);
    std::fflush(stderr);
    // Both descriptors share one open file (one write position); stdout and stderr stay open on failure.
    const int fd = open(utf8FromWide(fileName).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool redirected = dup2(fd, fileno(stdout)) >= 0 && dup2(fd, fileno(stderr)) >= 0;
    close(fd);
    return redirected;
}
