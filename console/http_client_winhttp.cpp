// SPDX-License-Identifier: MIT
// The HTTP client on Windows: WinHTTP, loaded from the system folder when a request starts and unloaded when
// it ends, so that a system without it still runs the program (the check then says it cannot check).
#include "console/http_client.h"

#include <windows.h>

#include <winhttp.h>

#include <algorithm>

namespace {

/// The eight WinHTTP operations a request needs, looked up by name; the two that set time-outs are used when
/// present.
struct WinHttp {
    decltype(&WinHttpOpen) open = nullptr;
    decltype(&WinHttpConnect) connect = nullptr;
    decltype(&WinHttpOpenRequest) openRequest = nullptr;
    decltype(&WinHttpSendRequest) sendRequest = nullptr;
    decltype(&WinHttpReceiveResponse) receiveResponse = nullptr;
    decltype(&WinHttpQueryDataAvailable) queryDataAvailable = nullptr;
    decltype(&WinHttpReadData) readData = nullptr;
    decltype(&WinHttpCloseHandle) closeHandle = nullptr;
    decltype(&WinHttpSetTimeouts) setTimeouts = nullptr;
    decltype(&WinHttpSetOption) setOption = nullptr;
};

class WinHttpLibrary {
public:
    WinHttpLibrary() {
        m_module = LoadLibraryExW(L"winhttp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!m_module) m_module = LoadLibraryW(L"winhttp.dll");  // systems without the system-folder flag
        if (!m_module) return;
        lookUp(m_api.open, "WinHttpOpen");
        lookUp(m_api.connect, "WinHttpConnect");
        lookUp(m_api.openRequest, "WinHttpOpenRequest");
        lookUp(m_api.sendRequest, "WinHttpSendRequest");
        lookUp(m_api.receiveResponse, "WinHttpReceiveResponse");
        lookUp(m_api.queryDataAvailable, "WinHttpQueryDataAvailable");
        lookUp(m_api.readData, "WinHttpReadData");
        lookUp(m_api.closeHandle, "WinHttpCloseHandle");
        lookUp(m_api.setTimeouts, "WinHttpSetTimeouts");
        lookUp(m_api.setOption, "WinHttpSetOption");
    }
    ~WinHttpLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    WinHttpLibrary(const WinHttpLibrary&) = delete;
    WinHttpLibrary& operator=(const WinHttpLibrary&) = delete;

    /// The operations, or null when the library or one of the eight is missing.
    const WinHttp* operations() const {
        const WinHttp& a = m_api;
        const bool all = a.open && a.connect && a.openRequest && a.sendRequest && a.receiveResponse &&
                         a.queryDataAvailable && a.readData && a.closeHandle;
        return all ? &m_api : nullptr;
    }

private:
    template <typename Function>
    void lookUp(Function& function, const char* name) {
        function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

    HMODULE m_module = nullptr;
    WinHttp m_api;
};

/// The session, connection and request handles, closed in that reverse order whatever happened.
struct Handles {
    const WinHttp& api;
    HINTERNET session = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
    ~Handles() {
        for (HINTERNET handle : {request, connection, session})
            if (handle) api.closeHandle(handle);
    }
};

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

/// The body's first bytes, at most capacity; false when the exchange fails or is cancelled.
bool receiveBody(const WinHttp& api, HINTERNET request, std::size_t capacity, const std::atomic<bool>& cancel,
                 std::string& body) {
    while (body.size() < capacity && !cancel.load()) {
        DWORD available = 0;
        if (!api.queryDataAvailable(request, &available)) return false;
        if (available == 0) return true;  // the end of the body
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(available, capacity - body.size()));
        std::string piece(wanted, '\0');
        DWORD read = 0;
        if (!api.readData(request, piece.data(), wanted, &read) || read == 0 || read > wanted) return false;
        body.append(piece, 0, read);
    }
    return !cancel.load();
}

}  // namespace

bool httpGet(const HttpRequest& request, std::size_t capacity, const std::atomic<bool>& cancel, std::string& body) {
    body.clear();
    if (capacity == 0 || request.host.empty()) return false;
    WinHttpLibrary library;
    const WinHttp* api = library.operations();
    if (!api) return false;
    Handles handles{*api};
    // The system's proxy settings, no proxy name or bypass list, synchronous.
    handles.session = api->open(widen(request.userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (!handles.session) return false;
    if (api->setTimeouts) {
        const int total = static_cast<int>(request.totalTimeoutMs);
        api->setTimeouts(handles.session, total, static_cast<int>(request.connectTimeoutMs), total, total);
    }
    handles.connection = api->connect(handles.session, widen(request.host).c_str(),
                                      static_cast<INTERNET_PORT>(request.port), 0);
    if (!handles.connection || cancel.load()) return false;
    handles.request = api->openRequest(handles.connection, L"GET", widen(request.path).c_str(), nullptr,
                                       WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, 0);
    if (!handles.request) return false;
    // Waiting for the reply has a time-out of its own (90 seconds unless set): a silent server must not hold
    // the check longer than the whole exchange may take.
    if (api->setOption) {
        DWORD total = static_cast<DWORD>(request.totalTimeoutMs);
        api->setOption(handles.request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &total, sizeof total);
    }
    if (!api->sendRequest(handles.request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        cancel.load())
        return false;
    // The status is not looked at: whatever body arrives is judged by its text.
    if (!api->receiveResponse(handles.request, nullptr)) return false;
    const bool ok = receiveBody(*api, handles.request, capacity, cancel, body);
    if (!ok) body.clear();
    return ok;
}
