#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/LocalHttpServer.h"

namespace test_sockets {

Socket Listen(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        Close(fd);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return fd;
}

// An interrupted wait counts as a time-out: every caller waits again.
bool Readable(Socket socket, int lngTimeoutMs) {
    pollfd entry{static_cast<int>(socket), POLLIN, 0};
    return ::poll(&entry, 1, lngTimeoutMs) > 0;
}

Socket Accept(Socket listener) { return ::accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC); }

int Receive(Socket socket, char* buffer, int lngSize) {
    return static_cast<int>(::recv(static_cast<int>(socket), buffer, static_cast<size_t>(lngSize), 0));
}

bool SendAll(Socket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno != EINTR) return false;
        if (sent > 0) bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

void Close(Socket socket) {
    if (socket != kNoSocket) ::close(static_cast<int>(socket));
}

}  // namespace test_sockets
