#pragma once
// A tiny HTTP server on 127.0.0.1 for download tests: it answers on its own
// thread until destroyed.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

struct HttpReply {
    int status;
    std::string body;
    std::string headers = {};  // extra header lines, each ending in CR LF
    bool stall = false;        // half the body, then silence until the client gives up
};

class LocalHttpServer {
public:
    using Handler = std::function<HttpReply(const std::string& path)>;
    explicit LocalHttpServer(Handler handler);
    ~LocalHttpServer();

    bool Listening() const { return mPort != 0; }
    std::wstring Url(const std::string& strPath) const;  // http://127.0.0.1:port + strPath
    int Requests() const { return mRequests; }
    static std::wstring RefusingUrl();  // a port just given back: nothing listens there

private:
    void Serve();

    Handler mHandler;
    uint16_t mPort = 0;  // before mListener: listening sets it
    intptr_t mListener;  // the socket, whichever type the system gives it
    std::atomic<int> mRequests{0};
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

}  // namespace testing_support
