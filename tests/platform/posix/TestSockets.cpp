#include "platform/TestSockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace test_sockets {

namespace {
bool WaitReadable(int fd, int timeoutMs) {
    pollfd entry{fd, POLLIN, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}
}  // namespace

Socket Listen(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return kNoSocket;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return fd;
}

Socket Accept(Socket listener, int lngTimeoutMs) {
    if (!WaitReadable(static_cast<int>(listener), lngTimeoutMs)) return kNoSocket;
    const int fd = ::accept4(static_cast<int>(listener), nullptr, nullptr, SOCK_CLOEXEC);
    return fd < 0 ? kNoSocket : fd;
}

int Receive(Socket socket, char* buffer, int lngSize, int lngTimeoutMs) {
    if (!WaitReadable(static_cast<int>(socket), lngTimeoutMs)) return -1;
    const ssize_t got = ::recv(static_cast<int>(socket), buffer, static_cast<size_t>(lngSize), 0);
    return got < 0 ? -1 : static_cast<int>(got);
}

bool SendAll(Socket socket, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
}

void Close(Socket socket) {
    if (socket != kNoSocket) ::close(static_cast<int>(socket));
}

}  // namespace test_sockets
