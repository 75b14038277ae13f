#include "platform/TestSockets.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace test_sockets {

namespace {
bool Started() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

bool WaitReadable(SOCKET s, int timeoutMs) {
    WSAPOLLFD entry{};
    entry.fd = s;
    entry.events = POLLRDNORM;
    return WSAPoll(&entry, 1, timeoutMs) > 0;
}
}  // namespace

Socket Listen(uint16_t& port) {
    if (!Started()) return kNoSocket;
    const SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return kNoSocket;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(s, 16) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::closesocket(s);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return static_cast<Socket>(s);
}

Socket Accept(Socket listener, int lngTimeoutMs) {
    if (!WaitReadable(static_cast<SOCKET>(listener), lngTimeoutMs)) return kNoSocket;
    const SOCKET s = ::accept(static_cast<SOCKET>(listener), nullptr, nullptr);
    return s == INVALID_SOCKET ? kNoSocket : static_cast<Socket>(s);
}

int Receive(Socket socket, char* buffer, int lngSize, int lngTimeoutMs) {
    if (!WaitReadable(static_cast<SOCKET>(socket), lngTimeoutMs)) return -1;
    const int got = ::recv(static_cast<SOCKET>(socket), buffer, lngSize, 0);
    return got < 0 ? -1 : got;
}

bool SendAll(Socket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const int sent = ::send(static_cast<SOCKET>(socket), bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

void Close(Socket socket) {
    if (socket != kNoSocket) ::closesocket(static_cast<SOCKET>(socket));
}

}  // namespace test_sockets
