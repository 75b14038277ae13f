#pragma once
// The few socket calls the local test server needs; one implementation per
// build (posix/TestSockets.cpp, win32/TestSockets.cpp). Loopback only.

#include <cstdint>
#include <string_view>

namespace test_sockets {

using Socket = intptr_t;
inline constexpr Socket kNoSocket = -1;

// A listening socket on 127.0.0.1 with a port the system picks; port receives it.
Socket Listen(uint16_t& port);
// The next connection, or kNoSocket when none came within lngTimeoutMs.
Socket Accept(Socket listener, int lngTimeoutMs);
// Bytes received (0 when the peer closed), -1 on error or time-out.
int Receive(Socket socket, char* buffer, int lngSize, int lngTimeoutMs);
bool SendAll(Socket socket, std::string_view bytes);
void Close(Socket socket);

}  // namespace test_sockets
