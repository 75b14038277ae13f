#pragma once
// A tiny HTTP server on 127.0.0.1 for download tests: it answers one
// connection at a time on its own thread until destroyed.

#include <atomic>
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
    // Throws when no port can be had.
    explicit LocalHttpServer(std::function<HttpReply(const std::string& path)> handler);
    ~LocalHttpServer();

    std::wstring Url(const std::string& strPath) const;  // http://127.0.0.1:port + strPath

private:
    std::function<HttpReply(const std::string&)> mHandler;
    int mPort = 0;
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

}  // namespace testing_support
