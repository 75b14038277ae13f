#include "platform/LocalHttpServer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace testing_support {

namespace {

#ifdef _WIN32
using Native = SOCKET;
constexpr int kCloseOnExec = 0, kNoSignal = 0;
int Poll(pollfd& entry, int lngTimeoutMs) { return WSAPoll(&entry, 1, lngTimeoutMs); }
void CloseNative(Native socket) { closesocket(socket); }
#else
using Native = int;
constexpr Native INVALID_SOCKET = -1;
constexpr int kCloseOnExec = SOCK_CLOEXEC, kNoSignal = MSG_NOSIGNAL;
int Poll(pollfd& entry, int lngTimeoutMs) { return poll(&entry, 1, lngTimeoutMs); }
void CloseNative(Native socket) { close(socket); }
#endif
// INVALID_SOCKET is all ones on either system.
constexpr intptr_t kNoSocket = -1;
constexpr int kSliceMs = 50;

Native ToNative(intptr_t socket) { return static_cast<Native>(socket); }

void Close(intptr_t socket) {
    if (socket != kNoSocket) CloseNative(ToNative(socket));
}

// The system picks the port.
intptr_t Listen(uint16_t& port) {
#ifdef _WIN32
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started) return kNoSocket;
#endif
    const Native s = socket(AF_INET, SOCK_STREAM | kCloseOnExec, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(s, 16) != 0 || getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        Close(static_cast<intptr_t>(s));
        return kNoSocket;
    }
    port = ntohs(address.sin_port);
    return static_cast<intptr_t>(s);
}

// An interrupted wait counts as a time-out: every caller waits again.
bool Readable(intptr_t socket, int lngTimeoutMs) {
    pollfd entry{ToNative(socket), POLLRDNORM, 0};
    return Poll(entry, lngTimeoutMs) > 0;
}

bool SendAll(intptr_t socket, std::string bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const auto sent = send(ToNative(socket), bytes.data() + done, static_cast<int>(bytes.size() - done), kNoSignal);
        if (sent <= 0) return false;
        done += static_cast<size_t>(sent);
    }
    return true;
}

std::wstring UrlFor(uint16_t port, const std::string& strPath) {
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + strPath;
    return std::wstring(url.begin(), url.end());
}

// The request line's path; empty when no full request head came.
std::string ReadRequestPath(intptr_t client, const std::atomic<bool>& stop) {
    std::string head;
    char buffer[4096];
    for (int waited = 0; head.find("\r\n\r\n") == std::string::npos && head.size() < 65536; waited += kSliceMs) {
        if (stop || waited >= 5000) return {};
        if (!Readable(client, kSliceMs)) continue;
        const int got = static_cast<int>(recv(ToNative(client), buffer, sizeof buffer, 0));
        if (got <= 0) return {};
        head.append(buffer, static_cast<size_t>(got));
    }
    const size_t first = head.find(' ');
    const size_t second = head.find(' ', first + 1);
    return second == std::string::npos ? std::string() : head.substr(first + 1, second - first - 1);
}

}  // namespace

LocalHttpServer::LocalHttpServer(Handler handler)
    : mHandler(std::move(handler)), mListener(Listen(mPort)) {
    if (mListener == kNoSocket) {
        mPort = 0;
        return;
    }
    mThread = std::thread([this] { Serve(); });
}

LocalHttpServer::~LocalHttpServer() {
    mStop = true;
    if (mThread.joinable()) mThread.join();
    Close(mListener);
}

std::wstring LocalHttpServer::Url(const std::string& strPath) const { return UrlFor(mPort, strPath); }

std::wstring LocalHttpServer::RefusingUrl() {
    uint16_t port = 0;
    Close(Listen(port));
    return UrlFor(port, "/refused");
}

void LocalHttpServer::Serve() {
    while (!mStop) {
        if (!Readable(mListener, kSliceMs)) continue;
        const intptr_t client = static_cast<intptr_t>(accept(ToNative(mListener), nullptr, nullptr));
        if (client == kNoSocket) continue;
        const std::string path = ReadRequestPath(client, mStop);
        if (!path.empty()) {
            ++mRequests;
            const HttpReply reply = mHandler(path);
            const std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " Reply\r\nContent-Length: " +
                                     std::to_string(reply.body.size()) +
                                     "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n" +
                                     reply.headers + "\r\n";
            SendAll(client, head + (reply.stall ? reply.body.substr(0, reply.body.size() / 2) : reply.body));
            // A stalled reply holds the connection open until the client gives up.
            char buffer[256];
            while (reply.stall && !mStop) {
                if (Readable(client, kSliceMs) && recv(ToNative(client), buffer, sizeof buffer, 0) <= 0) break;
            }
        }
        Close(client);
    }
}

}  // namespace testing_support
