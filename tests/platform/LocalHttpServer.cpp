#include "platform/LocalHttpServer.h"

#include <chrono>

#include "platform/TestSockets.h"

namespace testing_support {

namespace {

constexpr int kSliceMs = 50;

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

// The request line's path; empty when no full request head came.
std::string ReadRequestPath(test_sockets::Socket client, const std::atomic<bool>& stop) {
    std::string head;
    char buffer[4096];
    for (int waited = 0; head.find("\r\n\r\n") == std::string::npos && waited < 5000 && !stop;) {
        const int got = test_sockets::Receive(client, buffer, sizeof buffer, kSliceMs);
        if (got == 0) return {};
        if (got < 0) {
            waited += kSliceMs;
            continue;
        }
        head.append(buffer, static_cast<size_t>(got));
        if (head.size() > 65536) return {};
    }
    const size_t first = head.find(' ');
    const size_t second = first == std::string::npos ? std::string::npos : head.find(' ', first + 1);
    if (second == std::string::npos) return {};
    return head.substr(first + 1, second - first - 1);
}

}  // namespace

LocalHttpServer::LocalHttpServer(Handler handler, int lngMaxRequests, int lngIdleMs)
    : mHandler(std::move(handler)), mListener(test_sockets::Listen(mPort)) {
    if (mListener == test_sockets::kNoSocket) {
        mPort = 0;
        return;
    }
    mThread = std::thread([this, lngMaxRequests, lngIdleMs] { Serve(lngMaxRequests, lngIdleMs); });
}

LocalHttpServer::~LocalHttpServer() {
    mStop = true;
    if (mThread.joinable()) mThread.join();
    test_sockets::Close(mListener);
}

std::wstring LocalHttpServer::Url(const std::string& strPath) const {
    const std::string url = "http://127.0.0.1:" + std::to_string(mPort) + strPath;
    return std::wstring(url.begin(), url.end());
}

std::wstring LocalHttpServer::RefusingUrl() {
    uint16_t port = 0;
    const test_sockets::Socket socket = test_sockets::Listen(port);
    test_sockets::Close(socket);
    const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/refused";
    return std::wstring(url.begin(), url.end());
}

void LocalHttpServer::Serve(int lngMaxRequests, int lngIdleMs) {
    int idle = 0;
    while (!mStop && mRequests < lngMaxRequests && idle < lngIdleMs) {
        const test_sockets::Socket client = test_sockets::Accept(mListener, kSliceMs);
        if (client == test_sockets::kNoSocket) {
            idle += kSliceMs;
            continue;
        }
        idle = 0;
        const std::string path = ReadRequestPath(client, mStop);
        if (!path.empty()) {
            ++mRequests;
            const HttpReply reply = mHandler(path);
            std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + Reason(reply.status) + "\r\n" +
                               "Content-Length: " + std::to_string(reply.body.size()) + "\r\n" +
                               "Content-Type: application/octet-stream\r\nConnection: close\r\n" + reply.headers +
                               "\r\n";
            if (reply.stall) {
                test_sockets::SendAll(client, head + reply.body.substr(0, reply.body.size() / 2));
                // Hold the connection open without sending until the client gives up.
                char buffer[256];
                for (int waited = 0; !mStop && waited < lngIdleMs; waited += kSliceMs) {
                    if (test_sockets::Receive(client, buffer, sizeof buffer, kSliceMs) == 0) break;
                }
            } else {
                test_sockets::SendAll(client, head + reply.body);
            }
        }
        test_sockets::Close(client);
    }
}

}  // namespace testing_support
