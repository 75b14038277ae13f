#include "platform/LocalHttpServer.h"

#include <stdexcept>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace testing_support {

namespace {

#ifdef _WIN32
using Socket = SOCKET;
constexpr int MSG_NOSIGNAL = 0;
void Close(Socket s) { closesocket(s); }
[[maybe_unused]] const bool kStarted = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}();
#else
using Socket = int;
constexpr Socket INVALID_SOCKET = -1;
void Close(Socket s) { close(s); }
#endif

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// The request line's path; empty when the client left without asking.
std::string ReadPath(Socket client) {
    std::string head;
    char buffer[4096];
    for (int got = 0; head.find("\r\n\r\n") == std::string::npos; head.append(buffer, got)) {
        if ((got = static_cast<int>(recv(client, buffer, sizeof buffer, 0))) <= 0) return {};
    }
    const size_t start = head.find(' ') + 1;
    return head.substr(start, head.find(' ', start) - start);
}

void Answer(Socket client, const std::function<HttpReply(const std::string&)>& handler) {
    const std::string path = ReadPath(client);
    if (path.empty()) return;
    const HttpReply reply = handler(path);
    const std::string text = "HTTP/1.1 " + std::to_string(reply.status) +
                             " Reply\r\nContent-Length: " + std::to_string(reply.body.size()) +
                             "\r\nConnection: close\r\n" + reply.headers + "\r\n" +
                             (reply.stall ? reply.body.substr(0, reply.body.size() / 2) : reply.body);
    send(client, text.data(), static_cast<int>(text.size()), MSG_NOSIGNAL);
    // A stalled reply holds the connection open until the client gives up.
    char buffer[256];
    while (reply.stall && recv(client, buffer, sizeof buffer, 0) > 0) {
    }
}

}  // namespace

LocalHttpServer::LocalHttpServer(std::function<HttpReply(const std::string& path)> handler)
    : mHandler(std::move(handler)) {
    const Socket listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(listener, 16) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        Close(listener);
        throw std::runtime_error("no port on 127.0.0.1 to listen on");
    }
    mPort = ntohs(address.sin_port);
    mThread = std::thread([this, listener] {
        while (!mStop) {
            const Socket client = accept(listener, nullptr, nullptr);
            Answer(client, mHandler);
            Close(client);
        }
        Close(listener);
    });
}

// The thread waits in accept: a connection that asks nothing wakes it.
LocalHttpServer::~LocalHttpServer() {
    mStop = true;
    const Socket wake = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in address = Loopback(mPort);
    connect(wake, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    Close(wake);
    mThread.join();
}

std::wstring LocalHttpServer::Url(const std::string& strPath) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(mPort) + strPath;
    return {url.begin(), url.end()};
}

}  // namespace testing_support
