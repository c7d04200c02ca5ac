// SPDX-License-Identifier: MIT
// A real HTTP server on 127.0.0.1 (a free port) for tests: answers every request with one fixed reply,
// or accepts and never answers.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    /// reply: the whole response, status line included; silent: accept connections and say nothing.
    explicit LocalHttpServer(std::string reply, bool silent = false) : m_reply(std::move(reply)), m_silent(silent) {
        m_listener = listenOnFreePort(m_port);
        if (m_listener >= 0) m_thread = std::thread([this] { serve(); });
    }
    ~LocalHttpServer() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        for (int held : m_held) close(held);
        if (m_listener >= 0) close(m_listener);
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
        const int socket = listenOnFreePort(port);
        if (socket >= 0) close(socket);
        return port;
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
    static int listenOnFreePort(int& port) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            if (fd >= 0) close(fd);
            return -1;
        }
        port = ntohs(address.sin_port);
        return fd;
    }

    static bool readable(int fd, int ms) {
        pollfd entry{fd, POLLIN, 0};
        return poll(&entry, 1, ms) > 0;
    }

    void serve() {
        while (!m_stop) {
            if (!readable(m_listener, 20)) continue;
            const int client = accept(m_listener, nullptr, nullptr);
            if (client < 0) continue;
            ++m_connections;
            std::string request;
            char chunk[1024];
            while (request.find("\r\n\r\n") == std::string::npos && readable(client, 2000)) {
                const ssize_t got = recv(client, chunk, sizeof chunk, 0);
                if (got <= 0) break;
                request.append(chunk, static_cast<size_t>(got));
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_firstRequest.empty()) m_firstRequest = request;
            }
            if (m_silent) {
                m_held.push_back(client);
                continue;
            }
            for (size_t sent = 0; sent < m_reply.size();) {
                const ssize_t put = send(client, m_reply.data() + sent, m_reply.size() - sent, MSG_NOSIGNAL);
                if (put <= 0) break;  // the client stopped reading
                sent += static_cast<size_t>(put);
                m_sent += static_cast<size_t>(put);
            }
            close(client);
        }
    }

    std::string m_reply;
    bool m_silent;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    std::atomic<size_t> m_sent{0};
    std::vector<int> m_held;
    std::mutex m_mutex;
    std::string m_firstRequest;
    std::thread m_thread;
};
