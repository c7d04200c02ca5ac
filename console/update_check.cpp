// SPDX-License-Identifier: MIT
#include "console/update_check.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <system_error>

#include <wx/aboutdlg.h>
#include <wx/event.h>
#include <wx/window.h>

#include "console/about_box.h"
#include "console/command_ids.h"
#include "libs/ui/delvo_message_box.h"

namespace {

constexpr const char* kReleaseFile = "/quarn_release_date.txt";
constexpr const char* kDownloadFile = "/download/quarn_windows_64bit.zip";
constexpr const char* kUserAgent = "QuarnCheckUpdate";
/// A reply of this many bytes or fewer cannot hold a release time.
constexpr std::size_t kShortestReply = 5;
/// Release times outside 2010-01-01 .. 2050-01-01 (UTC) are not believed.
constexpr long long kEarliestRelease = 1262304000, kLatestRelease = 2524608000;
/// The new-version text is formatted into a buffer of this many wide characters.
constexpr std::size_t kNewsCapacity = 383;
constexpr const wchar_t* kNewsPattern =
    L"Mathematical Expression-based Calculator (Quarn component)\n"
    L"A new Quarn version is available, released: %a %Y-%m-%d %H:%M:%S\n"
    L"Click the link below to download, extract and overwrite the installed version";
const wxString kCaption = wxS("Quarn");

/// The host part and port of "host", "host:port" or "[v6-address]:port"; false for an empty or bad value.
bool splitHost(const std::string& text, std::string& host, int& port) {
    std::string name = text, portText;
    if (!text.empty() && text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string::npos) return false;
        name = text.substr(1, close - 1);
        if (close + 1 < text.size()) {
            if (text[close + 1] != ':') return false;
            portText = text.substr(close + 2);
        }
    } else if (const size_t colon = text.find(':');
               colon != std::string::npos && text.find(':', colon + 1) == std::string::npos) {
        name = text.substr(0, colon);
        portText = text.substr(colon + 1);
    }
    if (name.empty()) return false;
    if (text.front() == '[') name = "[" + name + "]";
    port = kDefaultUpdatePort;
    if (!portText.empty() || text.back() == ':') {
        if (portText.empty() || portText.size() > 5 || portText.find_first_not_of("0123456789") != std::string::npos)
            return false;
        port = std::atoi(portText.c_str());
        if (port < 1 || port > 65535) return false;
    }
    host = name;
    return true;
}

/// "http://host[:port]" + path, the port shown only when it is not the default.
wxString serverLink(const HttpRequest& request, const char* path) {
    wxString link = wxS("http://") + wxString::FromUTF8(request.host);
    if (request.port != kDefaultUpdatePort) link << wxS(":") << request.port;
    return link + wxString::FromUTF8(path);
}

/// The release time a reply announces, or -1 when the reply holds none.
long long releaseTimeOf(const std::wstring& reply) {
    if (reply.size() < kShortestReply || reply.size() > kUpdateReplyBytes) return -1;
    for (size_t i = 0; i < kShortestReply; ++i)
        if (reply[i] < L'0' || reply[i] > L'9') return -1;
    long long value = 0;
    for (size_t i = 0; i < reply.size() && reply[i] >= L'0' && reply[i] <= L'9'; ++i) {
        if (value > kLatestRelease) return -1;  // long digit runs stay out of range without overflowing
        value = value * 10 + (reply[i] - L'0');
    }
    return value;
}

void postNotice(UpdateHandOver& handOver) {
    std::lock_guard<std::mutex> lock(handOver.mutex);
    if (handOver.target) wxQueueEvent(handOver.target, new wxCommandEvent(wxEVT_TEXT, ID_UPDATE_CHECK_RESULT));
}

}  // namespace

HttpRequest updateRequest(const char* hostOverride) {
    HttpRequest request;
    request.host = kDefaultUpdateHost;
    request.port = kDefaultUpdatePort;
    if (hostOverride && *hostOverride && !splitHost(hostOverride, request.host, request.port)) {
        request.host.clear();  // a malformed override reaches no server: the check cannot be made
    }
    request.path = kReleaseFile;
    request.userAgent = kUserAgent;
    request.connectTimeoutMs = kUpdateConnectTimeoutMs;
    request.totalTimeoutMs = kUpdateTotalTimeoutMs;
    return request;
}

bool StartUpdateCheck(UpdateCheckState& state, wxWindow* window) {
    if (!window || state.busy || state.worker.joinable()) return false;
    state.handOver = std::make_shared<UpdateHandOver>();
    state.handOver->target = window->GetEventHandler();
    state.window = window;
    state.busy = true;
    try {
        state.worker = std::thread(UpdateCheckWorker, state.handOver, updateRequest(std::getenv("TALLYX_UPDATE_HOST")));
    } catch (const std::system_error&) {
        postNotice(*state.handOver);  // no thread: the empty reply ends the check as unable to check
    }
    return true;
}

void UpdateCheckWorker(std::shared_ptr<UpdateHandOver> handOver, HttpRequest request) {
    wchar_t* reply = handOver->reply;
    reply[0] = L'\0';
    std::string body;
    if (!request.host.empty() && httpGet(request, kUpdateReplyBytes, handOver->cancel, body) &&
        body.size() > kShortestReply) {
        const char* source = body.c_str();
        std::mbstate_t shift{};
        if (std::mbsrtowcs(reply, &source, kUpdateReplyBytes, &shift) == static_cast<size_t>(-1)) reply[0] = L'\0';
        reply[kUpdateReplyBytes] = L'\0';
    }
    if (std::wcslen(reply) > kShortestReply) {
        wchar_t* cut = std::wcsrchr(reply, L'\r');
        if (!cut) cut = std::wcsrchr(reply, L'\n');
        if (cut) *cut = L'\0';
    }
    postNotice(*handOver);
    handOver->finished = true;
}

void ShowUpdateResult(UpdateCheckState& state, const UpdateAboutPresenter& showAbout) {
    if (!state.busy || !state.handOver) return;
    if (state.worker.joinable()) state.worker.join();  // posting was its last action
    // Trailing blanks and line ends end the leading digits anyway.
    const long long released = releaseTimeOf(state.handOver->reply);
    const HttpRequest request = updateRequest(std::getenv("TALLYX_UPDATE_HOST"));

    if (released < kEarliestRelease || released > kLatestRelease) {
        DelvoMessageBox(
            wxString(wxS("Unable to check for update.\nTo get the latest news: ")) + ProgramIdentity::kWebSite,
            kCaption, wxOK, state.window);
    } else if (released <= kOwnReleaseTime) {
        DelvoMessageBox(wxS("The Quarn software is up-to-date."), kCaption, wxOK, state.window);
    } else {
        const std::time_t when = static_cast<std::time_t>(released);
        std::tm local{};
        wchar_t news[kNewsCapacity] = {};
        if (localtime_r(&when, &local)) std::wcsftime(news, kNewsCapacity, kNewsPattern, &local);
        showAbout(makeAboutInfo(news, serverLink(request, kDownloadFile)), state.window);
    }
    state.busy = false;
}

UpdateCheckState::~UpdateCheckState() {
    if (handOver) {
        {
            std::lock_guard<std::mutex> lock(handOver->mutex);
            handOver->target = nullptr;
        }
        handOver->cancel = true;
    }
    if (!worker.joinable()) return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kUpdateShutdownWaitMs);
    while (!handOver->finished && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (handOver->finished) worker.join();
    else worker.detach();  // it holds its own reference to the hand-over and ends with its time-outs
}
