#pragma once
// A tiny HTTP server on 127.0.0.1 for download tests. It answers at most
// lngMaxRequests requests, gives up waiting after lngIdleMs without one, and
// stops by itself; the destructor stops it early.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

struct HttpReply {
    int status = 200;
    std::string body;
    std::string headers;  // extra header lines, each ending in CR LF
    bool stall = false;   // send the headers and half the body, then nothing more
};

class LocalHttpServer {
public:
    using Handler = std::function<HttpReply(const std::string& path)>;
    explicit LocalHttpServer(Handler handler, int lngMaxRequests = 16, int lngIdleMs = 10000);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    bool Listening() const { return mPort != 0; }
    // http://127.0.0.1:port + strPath
    std::wstring Url(const std::string& strPath) const;
    int Requests() const { return mRequests; }

    // A loopback address where nothing listens (a port just given back).
    static std::wstring RefusingUrl();

private:
    void Serve(int lngMaxRequests, int lngIdleMs);

    Handler mHandler;
    uint16_t mPort = 0;  // before mListener: Listen sets it
    intptr_t mListener;
    std::atomic<int> mRequests{0};
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

}  // namespace testing_support
