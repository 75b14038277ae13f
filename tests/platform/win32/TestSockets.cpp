#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/LocalHttpServer.h"

// INVALID_SOCKET is all ones: as a Socket it is kNoSocket.
namespace test_sockets {

Socket Listen(uint16_t& port) {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    const SOCKET s = started ? ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) : INVALID_SOCKET;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (s == INVALID_SOCKET || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 16) != 0 || ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        Close(static_cast<Socket>(s));
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return static_cast<Socket>(s);
}

bool Readable(Socket socket, int lngTimeoutMs) {
    WSAPOLLFD entry{};
    entry.fd = static_cast<SOCKET>(socket);
    entry.events = POLLRDNORM;
    return WSAPoll(&entry, 1, lngTimeoutMs) > 0;
}

Socket Accept(Socket listener) {
    return static_cast<Socket>(::accept(static_cast<SOCKET>(listener), nullptr, nullptr));
}

int Receive(Socket socket, char* buffer, int lngSize) {
    return ::recv(static_cast<SOCKET>(socket), buffer, lngSize, 0);
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
