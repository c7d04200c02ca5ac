// SPDX-License-Identifier: MIT
// Help > "Check for Update...": one GET of the newest release time on a worker thread, judged on the
// main thread when the worker's notice (a text-updated command event) arrives.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "console/http_client.h"

class wxAboutDialogInfo;
class wxEvtHandler;
class wxWindow;

/// Most bytes of the reply ever read; the reply buffer holds them and a terminator.
constexpr std::size_t kUpdateReplyBytes = 127;
/// Release time of this version, seconds since 1970 (2021-05-01 20:26:38 UTC).
constexpr long long kOwnReleaseTime = 1619900798;
/// The update server when TALLYX_UPDATE_HOST ("host" or "host:port") names none.
constexpr const char* kDefaultUpdateHost = "www.quarn.example";
constexpr int kDefaultUpdatePort = 80;
/// A silent server ends the check after these bounds (see docs/design.md).
constexpr long kUpdateConnectTimeoutMs = 5000;
constexpr long kUpdateTotalTimeoutMs = 10000;
/// How long a closing window waits for a running worker before leaving it to end on its own.
constexpr int kUpdateShutdownWaitMs = 1500;

/// What the worker shares with the main thread. The worker keeps its own reference, so a worker that
/// outlives its window still writes into live memory; its notice then goes nowhere.
struct UpdateHandOver {
    /// Guards target: the worker posts only while the window is there.
    std::mutex mutex;
    wxEvtHandler* target = nullptr;
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    /// Written by the worker before it posts its notice, read by the main thread afterwards.
    wchar_t reply[kUpdateReplyBytes + 1] = {};
};

/// The check of one main window: busy from its start until its outcome's box has been closed.
struct UpdateCheckState {
    wxWindow* window = nullptr;
    bool busy = false;
    std::thread worker;
    std::shared_ptr<UpdateHandOver> handOver;

    UpdateCheckState() = default;
    UpdateCheckState(const UpdateCheckState&) = delete;
    UpdateCheckState& operator=(const UpdateCheckState&) = delete;
    /// The window is going: a late notice is dropped, the transfer cancelled, the worker awaited briefly.
    ~UpdateCheckState();
};

/// Shows a modal About box; tests replace it.
using UpdateAboutPresenter = std::function<void(const wxAboutDialogInfo& info, wxWindow* parent)>;

/// Starts a check for window unless one is running; false when nothing was started.
bool StartUpdateCheck(UpdateCheckState& state, wxWindow* window);
/// The worker thread's body: fetches, converts and trims the reply, then posts the notice.
void UpdateCheckWorker(std::shared_ptr<UpdateHandOver> handOver, HttpRequest request);
/// Judges the reply and shows its outcome (message box or new-version About box); clears busy afterwards.
void ShowUpdateResult(UpdateCheckState& state, const UpdateAboutPresenter& showAbout);
/// The request for the release time, sent to hostOverride ("host" or "host:port") when it names one.
HttpRequest updateRequest(const char* hostOverride);
