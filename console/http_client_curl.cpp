// SPDX-License-Identifier: MIT
// The HTTP client on Linux: libcurl, opened when a request starts, so that the program runs without it.
#include "console/http_client.h"

#include <curl/curl.h>
#include <dlfcn.h>

namespace {

/// The four libcurl operations the request needs, looked up by name.
struct Curl {
    CURL* (*init)() = nullptr;
    CURLcode (*setopt)(CURL*, CURLoption, ...) = nullptr;
    CURLcode (*perform)(CURL*) = nullptr;
    void (*cleanup)(CURL*) = nullptr;
};

/// The library's handle for one request. Opened with RTLD_NODELETE: the TLS libraries libcurl pulls in
/// register exit handlers, which must stay mapped after the handle is closed.
class CurlLibrary {
public:
    CurlLibrary() {
        for (const char* name : {"libcurl.so.4", "libcurl-gnutls.so.4", "libcurl-nss.so.4"}) {
            m_handle = dlopen(name, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
            if (m_handle) break;
        }
        if (!m_handle) return;
        lookUp(m_curl.init, "curl_easy_init");
        lookUp(m_curl.setopt, "curl_easy_setopt");
        lookUp(m_curl.perform, "curl_easy_perform");
        lookUp(m_curl.cleanup, "curl_easy_cleanup");
    }
    ~CurlLibrary() {
        if (m_handle) dlclose(m_handle);
    }
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    /// The operations, or null when the library or one of them is missing.
    const Curl* operations() const {
        return m_curl.init && m_curl.setopt && m_curl.perform && m_curl.cleanup ? &m_curl : nullptr;
    }

private:
    template <typename Function>
    void lookUp(Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(m_handle, name));
    }

    void* m_handle = nullptr;
    Curl m_curl;
};

/// Where the body goes while it arrives.
struct Sink {
    std::string* body;
    std::size_t capacity;
    const std::atomic<bool>* cancel;
};

std::size_t receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const std::size_t bytes = size * count;
    const std::size_t room = sink->capacity - sink->body->size();
    sink->body->append(data, bytes < room ? bytes : room);
    // Returning less than given ends the transfer: nothing beyond the capacity is ever read.
    return sink->body->size() < sink->capacity ? bytes : 0;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Sink*>(user)->cancel->load() ? 1 : 0;
}

}  // namespace

bool httpGet(const HttpRequest& request, std::size_t capacity, const std::atomic<bool>& cancel, std::string& body) {
    body.clear();
    if (capacity == 0) return false;
    CurlLibrary library;
    const Curl* curl = library.operations();
    if (!curl) return false;
    CURL* handle = curl->init();
    if (!handle) return false;

    const std::string url = "http://" + request.host + ":" + std::to_string(request.port) + request.path;
    Sink sink{&body, capacity, &cancel};
    curl->setopt(handle, CURLOPT_URL, url.c_str());
    curl->setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
    curl->setopt(handle, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl->setopt(handle, CURLOPT_HTTPGET, 1L);
    curl->setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl->setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
    curl->setopt(handle, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    curl->setopt(handle, CURLOPT_WRITEFUNCTION, &receive);
    curl->setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl->setopt(handle, CURLOPT_XFERINFOFUNCTION, &progress);
    curl->setopt(handle, CURLOPT_XFERINFODATA, &sink);
    curl->setopt(handle, CURLOPT_NOPROGRESS, 0L);
    const CURLcode result = curl->perform(handle);
    curl->cleanup(handle);

    // A transfer ended by a full buffer is a success: the bytes wanted have arrived.
    const bool full = body.size() == capacity;
    const bool ok = !cancel.load() && (result == CURLE_OK || (result == CURLE_WRITE_ERROR && full));
    if (!ok) body.clear();
    return ok;
}
