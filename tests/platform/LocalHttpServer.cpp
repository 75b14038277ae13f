#include "platform/LocalHttpServer.h"

namespace testing_support {

namespace {

using namespace test_sockets;
constexpr int kSliceMs = 50;

std::wstring UrlFor(uint16_t port, const std::string& strPath) {
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + strPath;
    return std::wstring(url.begin(), url.end());
}

// The request line's path; empty when no full request head came.
std::string ReadRequestPath(Socket client, const std::atomic<bool>& stop) {
    std::string head;
    char buffer[4096];
    for (int waited = 0; head.find("\r\n\r\n") == std::string::npos && head.size() < 65536; waited += kSliceMs) {
        if (stop || waited >= 5000) return {};
        if (!Readable(client, kSliceMs)) continue;
        const int got = Receive(client, buffer, sizeof buffer);
        if (got <= 0) return {};
        head.append(buffer, static_cast<size_t>(got));
    }
    const size_t first = head.find(' ');
    const size_t second = head.find(' ', first + 1);
    return second == std::string::npos ? std::string() : head.substr(first + 1, second - first - 1);
}

}  // namespace

LocalHttpServer::LocalHttpServer(Handler handler, int lngMaxRequests, int lngIdleMs)
    : mHandler(std::move(handler)), mListener(Listen(mPort)) {
    if (mListener == kNoSocket) {
        mPort = 0;
        return;
    }
    mThread = std::thread([this, lngMaxRequests, lngIdleMs] { Serve(lngMaxRequests, lngIdleMs); });
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

void LocalHttpServer::Serve(int lngMaxRequests, int lngIdleMs) {
    for (int idle = 0; !mStop && mRequests < lngMaxRequests && idle < lngIdleMs; idle += kSliceMs) {
        if (!Readable(mListener, kSliceMs)) continue;
        const Socket client = Accept(mListener);
        if (client == kNoSocket) continue;
        idle = 0;
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
            for (int waited = 0; reply.stall && !mStop && waited < lngIdleMs; waited += kSliceMs) {
                if (Readable(client, kSliceMs) && Receive(client, buffer, sizeof buffer) <= 0) break;
            }
        }
        Close(client);
    }
}

}  // namespace testing_support
