// SPDX-License-Identifier: MIT
// End requests on POSIX: SIGTERM, SIGHUP and SIGINT.
#include "app/exit_signals.h"

#include "app/coverage_counts.h"

#include <csignal>
#include <cstring>

#include <unistd.h>

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGHUP, SIGINT};

// A signal handler can reach nothing but static storage: these two are the process's only such state.
char g_unfinishedFile[4096];
volatile std::sig_atomic_t g_exitRequested = 0;

void removeAndEnd(int signal) {
    if (g_unfinishedFile[0] != '\0') ::unlink(g_unfinishedFile);
    std::signal(signal, SIG_DFL);
    writeCoverageCounts();
    ::raise(signal);  // GCOVR_EXCL_LINE: runs after the coverage counts are written
}

void noteRequest(int) { g_exitRequested = 1; }

void install(void (*handler)(int), bool once) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | (once ? SA_RESETHAND : 0);
    for (int signal : kEndSignals) sigaction(signal, &action, nullptr);
}

}  // namespace

void failWritesBeyondSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

void endAtOnceRemoving(const std::string& unfinishedFile) {
    // Block while the name changes, so a handler never sees half of it.
    sigset_t block, previous;
    sigemptyset(&block);
    for (int signal : kEndSignals) sigaddset(&block, signal);
    sigprocmask(SIG_BLOCK, &block, &previous);
    const size_t length = unfinishedFile.size() < sizeof g_unfinishedFile ? unfinishedFile.size() : 0;
    std::memcpy(g_unfinishedFile, unfinishedFile.data(), length);
    g_unfinishedFile[length] = '\0';
    install(removeAndEnd, false);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void noteExitRequests() {
    g_exitRequested = 0;
    install(noteRequest, true);
}

bool exitRequested() { return g_exitRequested != 0; }
