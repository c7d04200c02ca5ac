// SPDX-License-Identifier: MIT
#include "tests/tallyx_child.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

/// The user and group "nobody" on Debian and most Linux systems.
constexpr uid_t kNobody = 65534;

using Clock = std::chrono::steady_clock;

Clock::time_point after(double seconds) {
    return Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

// In the child between fork and exec: the environment of a quiet desktop session of its own.
[[noreturn]] void execTallyx(const TallyxLaunch& launch, const std::string& program,
                             const std::vector<std::string>& environment, int outFd, int errFd) {
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (chdir(launch.dir.c_str()) != 0) _exit(127);
    const fs::path home = launch.dir / "home";
    if (launch.display.empty()) {
        unsetenv("DISPLAY");
    } else {
        setenv("DISPLAY", launch.display.c_str(), 1);
    }
    unsetenv("WAYLAND_DISPLAY");
    setenv("XDG_DATA_HOME", launch.dir.c_str(), 1);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("LC_ALL", "C", 1);  // the system's error texts in English
    // No session bus, no accessibility bridge, no settings daemon: nothing that could wait for another process.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    if (launch.fileSizeLimit != RLIM_INFINITY) {
        // The soft limit, which fails the writes beyond it; the hard one stays.
        rlimit limit{};
        if (getrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
        limit.rlim_cur = launch.fileSizeLimit;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    if (launch.unprivileged && getuid() == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(127);
    }
    for (const std::string& variable : environment) putenv(const_cast<char*>(variable.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : launch.args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

}  // namespace

TallyxChild::TallyxChild(const TallyxLaunch& launch, const fs::path& program,
                         const std::vector<std::string>& environment) {
    const fs::path home = launch.dir / "home";
    fs::create_directories(home);
    // An unprivileged child still needs a home it may write (the toolkit's caches).
    fs::permissions(home, fs::perms::all);
    int out[2], err[2];
    if (pipe(out) != 0) return;
    if (pipe(err) != 0) {
        close(out[0]), close(out[1]);
        return;
    }
    const std::string path = program.empty() ? std::string(TALLYX_PATH) : program.string();
    m_pid = fork();
    if (m_pid == 0) {
        close(out[0]), close(err[0]);
        execTallyx(launch, path, environment, out[1], err[1]);
    }
    close(out[1]), close(err[1]);
    m_outFd = out[0], m_errFd = err[0];
    if (m_pid < 0) m_ended = true;
}

TallyxChild::~TallyxChild() {
    if (!m_ended && m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    for (int fd : {m_outFd, m_errFd})
        if (fd >= 0) close(fd);
}

void TallyxChild::signal(int number) const {
    if (!m_ended && m_pid > 0) kill(m_pid, number);
}

void TallyxChild::readOutput(int timeoutMs) {
    pollfd fds[2];
    int count = 0;
    for (int fd : {m_outFd, m_errFd})
        if (fd >= 0) fds[count++] = {fd, POLLIN, 0};
    if (count == 0 || poll(fds, static_cast<nfds_t>(count), timeoutMs) <= 0) return;
    for (int i = 0; i < count; ++i) {
        if ((fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
        char buffer[4096];
        const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
        int& fd = fds[i].fd == m_outFd ? m_outFd : m_errFd;
        if (n <= 0) {
            close(fd);
            fd = -1;
        } else {
            (&fd == &m_outFd ? m_out : m_err).append(buffer, static_cast<size_t>(n));
        }
    }
}

bool TallyxChild::reap() {
    if (m_ended) return true;
    int raw = 0;
    if (waitpid(m_pid, &raw, WNOHANG) != m_pid) return false;
    m_ended = true;
    m_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

bool TallyxChild::waitForError(const std::string& text, double seconds) {
    const Clock::time_point limit = after(seconds);
    while (m_err.find(text) == std::string::npos) {
        if (Clock::now() > limit || (reap() && m_errFd < 0)) return false;
        readOutput(50);
    }
    return true;
}

bool TallyxChild::finish(double seconds) {
    const Clock::time_point limit = after(seconds);
    while (!reap()) {
        if (Clock::now() > limit) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_ended = true;
            m_status = -1;
            return false;
        }
        readOutput(50);
    }
    // What the child wrote last; a descendant that keeps the pipes open does not hold the test.
    const Clock::time_point drained = after(2);
    while ((m_outFd >= 0 || m_errFd >= 0) && Clock::now() < drained) readOutput(50);
    return true;
}

std::vector<std::string> TallyxChild::ownErrorLines() const {
    std::vector<std::string> lines;
    std::istringstream in(m_err);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("tallyx: ", 0) == 0) lines.push_back(line);
    return lines;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
