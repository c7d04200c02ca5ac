// SPDX-License-Identifier: MIT
// End requests on Windows: Ctrl+C, Ctrl+Break, the console window closed, logoff and shutdown, as the console
// control handler receives them (only while the program is attached to a console).
#include "app/exit_signals.h"

#include <windows.h>

#include <atomic>

#include "libs/file/lf_text.h"

namespace {

/// Status of a process ended by Ctrl+C, as Windows reports it.
constexpr UINT kEndedByRequest = 0xC000013A;

// The handler runs on a thread of its own that Windows starts: it reaches these two and nothing else.
wchar_t g_unfinishedFile[32768];
std::atomic<bool> g_exitRequested{false};

BOOL WINAPI removeAndEnd(DWORD) {
    if (g_unfinishedFile[0] != L'\0') DeleteFileW(g_unfinishedFile);
    ExitProcess(kEndedByRequest);
    return TRUE;
}

BOOL WINAPI noteRequest(DWORD) {
    // A second request while the window shuts down ends the process at once.
    if (g_exitRequested.exchange(true)) ExitProcess(kEndedByRequest);
    return TRUE;
}

}  // namespace

// Windows has no file-size limit that ends a process: a write beyond the disk fails on its own.
void failWritesBeyondSizeLimit() {}

void endAtOnceRemoving(const std::string& unfinishedFile) {
    SetConsoleCtrlHandler(removeAndEnd, FALSE);
    const std::wstring name = wideFromUtf8(unfinishedFile);
    const size_t length = name.size() < sizeof g_unfinishedFile / sizeof g_unfinishedFile[0] ? name.size() : 0;
    name.copy(g_unfinishedFile, length);
    g_unfinishedFile[length] = L'\0';
    SetConsoleCtrlHandler(removeAndEnd, TRUE);
}

void noteExitRequests() {
    g_exitRequested = false;
    SetConsoleCtrlHandler(noteRequest, TRUE);
}

bool exitRequested() { return g_exitRequested; }
