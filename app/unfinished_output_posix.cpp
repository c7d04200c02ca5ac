// SPDX-License-Identifier: MIT
// The unfinished output file on POSIX: mkstemp beside the output, dup2 to give the console back.
#include "app/unfinished_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/exit_signals.h"
#include "app/process_console.h"
#include "libs/file/lf_path.h"
#include "libs/file/lf_text.h"

UnfinishedOutput::~UnfinishedOutput() {
    for (int fd : m_console)
        if (fd >= 0) ::close(fd);
}

bool UnfinishedOutput::begin(const std::wstring& outPath, std::string* problem) {
    if (outPath.empty()) {
        *problem = std::strerror(ENOENT);
        return false;
    }
    std::vector<char> name;
    const std::string pattern = utf8FromWide(outPath) + ".tmp-XXXXXX";
    name.assign(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *problem = lastFileSystemError();
        return false;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask);  // the rights a plain new file gets
    ::close(fd);
    const std::string path = name.data();
    m_path = wideFromUtf8(path);
    std::fflush(stdout);
    std::fflush(stderr);
    m_console[0] = ::dup(STDOUT_FILENO);
    m_console[1] = ::dup(STDERR_FILENO);
    if (!lf_redirectConsole(m_path)) {
        *problem = lastFileSystemError();
        ::unlink(path.c_str());
        m_path.clear();
        return false;
    }
    endAtOnceRemoving(path);
    return true;
}

long UnfinishedOutput::writeSome(int fd, const char* data, size_t size) { return ::write(fd, data, size); }

void UnfinishedOutput::abandon() {
    if (m_path.empty()) return;
    ::unlink(utf8FromWide(m_path).c_str());
    m_path.clear();
    endAtOnceRemoving({});
    restoreConsole();
}

bool UnfinishedOutput::finish(const std::wstring& outPath, std::string* problem) {
    if (m_path.empty()) return true;
    restoreConsole();
    const std::string path = utf8FromWide(m_path);
    const bool renamed = std::rename(path.c_str(), utf8FromWide(outPath).c_str()) == 0;
    if (!renamed) {
        *problem = lastFileSystemError();
        ::unlink(path.c_str());
    }
    m_path.clear();
    endAtOnceRemoving({});
    return renamed;
}

void UnfinishedOutput::restoreConsole() {
    std::fflush(stdout);
    std::fflush(stderr);
    // Without a copy of the console, nothing more may land in the output file.
    if (m_console[0] < 0 || ::dup2(m_console[0], STDOUT_FILENO) < 0) std::freopen("/dev/null", "w", stdout);
    if (m_console[1] < 0 || ::dup2(m_console[1], STDERR_FILENO) < 0) std::freopen("/dev/null", "w", stderr);
}
