// SPDX-License-Identifier: MIT
// The few socket calls the tests' local HTTP server makes, over POSIX sockets or Winsock.
#pragma once

#include <cstddef>
#include <cstdint>

using SocketHandle = std::intptr_t;
constexpr SocketHandle kNoSocket = -1;

/// A socket listening on 127.0.0.1 at a free port (stored in port); kNoSocket when none could be made.
SocketHandle listenOnLoopback(int& port);
/// The next connection, or kNoSocket.
SocketHandle acceptClient(SocketHandle listener);
/// True when the socket has something to read (or a connection to accept) within ms milliseconds.
bool socketReadable(SocketHandle socket, int ms);
/// recv and send: the bytes moved, 0 or less when the peer is gone.
long receiveBytes(SocketHandle socket, char* buffer, std::size_t size);
long sendBytes(SocketHandle socket, const char* data, std::size_t size);
void closeSocket(SocketHandle socket);
