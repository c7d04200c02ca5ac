// SPDX-License-Identifier: MIT
// A real HTTP server on 127.0.0.1 (a free port) for tests: answers every request with one fixed reply,
// or accepts and never answers.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/local_sockets.h"

class LocalHttpServer {
public:
    /// reply: the whole response, status line included; silent: accept connections and say nothing.
    explicit LocalHttpServer(std::string reply, bool silent = false) : m_reply(std::move(reply)), m_silent(silent) {
        m_listener = listenOnLoopback(m_port);
        if (m_listener != kNoSocket) m_thread = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        for (SocketHandle held : m_held) closeSocket(held);
        if (m_listener != kNoSocket) closeSocket(m_listener);
    }
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    /// "200 OK" response with this body and a Content-Length.
    static std::string ok(const std::string& body, const char* status = "200 OK") {
        return std::string("HTTP/1.1 ") + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }
    /// A port nobody listens on: connecting to it is refused.
    static int refusedPort() {
        int port = 0;
        const SocketHandle socket = listenOnLoopback(port);
        if (socket != kNoSocket) closeSocket(socket);
        return port;
    }

    /// The reply to the connections from now on.
    void setReply(std::string reply) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reply = std::move(reply);
    }
    int port() const { return m_port; }
    int connections() const { return m_connections; }
    /// Bytes of replies the clients took (a client that stops reading leaves the rest unsent).
    size_t bytesSent() const { return m_sent; }
    std::string firstRequest() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_firstRequest;
    }

private:
    void serve() {
        while (!m_stop) {
            if (!socketReadable(m_listener, 20)) continue;
            const SocketHandle client = acceptClient(m_listener);
            if (client == kNoSocket) continue;
            ++m_connections;
            std::string request;
            char chunk[1024];
            while (request.find("\r\n\r\n") == std::string::npos && socketReadable(client, 2000)) {
                const long got = receiveBytes(client, chunk, sizeof chunk);
                if (got <= 0) break;
                request.append(chunk, static_cast<size_t>(got));
            }
            std::string reply;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_firstRequest.empty()) m_firstRequest = request;
                reply = m_reply;
            }
            if (m_silent) {
                m_held.push_back(client);
                continue;
            }
            for (size_t sent = 0; sent < reply.size();) {
                const long put = sendBytes(client, reply.data() + sent, reply.size() - sent);
                if (put <= 0) break;  // the client stopped reading
                sent += static_cast<size_t>(put);
                m_sent += static_cast<size_t>(put);
            }
            closeSocket(client);
        }
    }

    std::string m_reply;
    bool m_silent;
    SocketHandle m_listener = kNoSocket;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::atomic<size_t> m_sent{0};
    std::vector<SocketHandle> m_held;
    std::mutex m_mutex;
    std::string m_firstRequest;
    std::thread m_thread;
};
