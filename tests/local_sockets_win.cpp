// SPDX-License-Identifier: MIT
#include "tests/local_sockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace {

/// Winsock, started once for the test process.
bool winsockStarted() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

SocketHandle handle(SOCKET socket) { return socket == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(socket); }

}  // namespace

SocketHandle listenOnLoopback(int& port) {
    if (!winsockStarted()) return kNoSocket;
    const SOCKET fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (fd == INVALID_SOCKET || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(fd, 8) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd != INVALID_SOCKET) closesocket(fd);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return handle(fd);
}

SocketHandle acceptClient(SocketHandle listener) {
    return handle(accept(static_cast<SOCKET>(listener), nullptr, nullptr));
}

bool socketReadable(SocketHandle socket, int ms) {
    WSAPOLLFD entry{static_cast<SOCKET>(socket), POLLRDNORM, 0};
    return WSAPoll(&entry, 1, ms) > 0;
}

long receiveBytes(SocketHandle socket, char* buffer, std::size_t size) {
    return recv(static_cast<SOCKET>(socket), buffer, static_cast<int>(size), 0);
}

long sendBytes(SocketHandle socket, const char* data, std::size_t size) {
    return send(static_cast<SOCKET>(socket), data, static_cast<int>(size), 0);
}

void closeSocket(SocketHandle socket) { closesocket(static_cast<SOCKET>(socket)); }
