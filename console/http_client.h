// SPDX-License-Identifier: MIT
// The update check's HTTP client: one GET of a small text, synchronous, on the caller's thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

/// One plain-HTTP GET request.
struct HttpRequest {
    std::string host;
    int port = 80;
    std::string path;
    std::string userAgent;
    /// Bounds that keep a dead or silent server from holding the caller: connecting, and the whole exchange.
    long connectTimeoutMs = 0;
    long totalTimeoutMs = 0;
};

/// Fetches the first bytes of the body (at most capacity) whatever the status; a transfer stops once
/// capacity bytes arrived. False when the client library is missing, the exchange failed or cancel was set.
bool httpGet(const HttpRequest& request, std::size_t capacity, const std::atomic<bool>& cancel, std::string& body);
