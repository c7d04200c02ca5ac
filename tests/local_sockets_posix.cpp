// SPDX-License-Identifier: MIT
#include "tests/local_sockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

SocketHandle listenOnLoopback(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 8) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) close(fd);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return fd;
}

SocketHandle acceptClient(SocketHandle listener) {
    const int client = accept(static_cast<int>(listener), nullptr, nullptr);
    return client < 0 ? kNoSocket : client;
}

bool socketReadable(SocketHandle socket, int ms) {
    pollfd entry{static_cast<int>(socket), POLLIN, 0};
    return poll(&entry, 1, ms) > 0;
}

long receiveBytes(SocketHandle socket, char* buffer, std::size_t size) {
    return static_cast<long>(recv(static_cast<int>(socket), buffer, size, 0));
}

long sendBytes(SocketHandle socket, const char* data, std::size_t size) {
    return static_cast<long>(send(static_cast<int>(socket), data, size, MSG_NOSIGNAL));
}

void closeSocket(SocketHandle socket) { close(static_cast<int>(socket)); }
