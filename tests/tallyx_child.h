// SPDX-License-Identifier: MIT
// The built tallyx as a child process of a POSIX test, watched while it runs: its output is read as it comes,
// and every wait has a time limit, after which the child is killed and the wait reports it.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

/// How the child starts.
struct TallyxLaunch {
    std::vector<std::string> args;
    /// Working folder, user data folder (the settings live in Quarn/config below it) and home.
    std::filesystem::path dir;
    /// X display such as ":12"; empty: no display.
    std::string display;
    /// Largest file the child may write (`ulimit -f`), in bytes.
    rlim_t fileSizeLimit = RLIM_INFINITY;
    /// Run as an unprivileged user (nobody) when the test runs as root, so that permission bits count.
    bool unprivileged = false;
};

/// A running tallyx. Destroying it kills a child that still runs.
class TallyxChild {
public:
    /// program: another copy of tallyx (empty: the built one); environment: more of it, NAME=value each.
    explicit TallyxChild(const TallyxLaunch& launch, const std::filesystem::path& program = {},
                         const std::vector<std::string>& environment = {});
    ~TallyxChild();
    TallyxChild(const TallyxChild&) = delete;
    TallyxChild& operator=(const TallyxChild&) = delete;

    pid_t pid() const { return m_pid; }
    /// Sends a signal to the child.
    void signal(int number) const;
    /// Waits until standard error holds text; false when the limit passed or the child ended first.
    bool waitForError(const std::string& text, double seconds);
    /// Waits for the end; false when the limit passed (the child is then killed and status() is -1).
    bool finish(double seconds);

    const std::string& out() const { return m_out; }
    const std::string& err() const { return m_err; }
    /// The lines of standard error that the program itself wrote ("tallyx: ..."), without the toolkit's.
    std::vector<std::string> ownErrorLines() const;
    /// Exit status, 128 + signal for a child ended by a signal, -1 while running or after a kill for time.
    int status() const { return m_status; }

private:
    /// Reads what the child wrote, waiting at most timeoutMs for something to come.
    void readOutput(int timeoutMs);
    /// True once the child ended (its status taken).
    bool reap();

    pid_t m_pid = -1;
    int m_outFd = -1, m_errFd = -1;
    std::string m_out, m_err;
    int m_status = -1;
    bool m_ended = false;
};

/// The bytes of a file; empty when it cannot be read.
std::string fileBytes(const std::filesystem::path& path);
