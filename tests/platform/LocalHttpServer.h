#pragma once
// A tiny HTTP server on 127.0.0.1 for download tests: it answers at most
// lngMaxRequests requests on its own thread and stops after lngIdleMs without
// one, or when destroyed.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

// Loopback sockets; one implementation per build (posix/, win32/TestSockets.cpp).
namespace test_sockets {
using Socket = intptr_t;
inline constexpr Socket kNoSocket = -1;
Socket Listen(uint16_t& port);  // the system picks the port
bool Readable(Socket socket, int lngTimeoutMs);
Socket Accept(Socket listener);
int Receive(Socket socket, char* buffer, int lngSize);  // 0 when the peer closed, -1 on error
bool SendAll(Socket socket, std::string_view bytes);
void Close(Socket socket);
}  // namespace test_sockets

namespace testing_support {

struct HttpReply {
    HttpReply(int lngStatus, std::string strBody, std::string strHeaders = {}, bool blnStall = false)
        : status(lngStatus), body(std::move(strBody)), headers(std::move(strHeaders)), stall(blnStall) {}
    int status;
    std::string body;
    std::string headers;  // extra header lines, each ending in CR LF
    bool stall;           // half the body, then silence until the client gives up
};

class LocalHttpServer {
public:
    using Handler = std::function<HttpReply(const std::string& path)>;
    explicit LocalHttpServer(Handler handler, int lngMaxRequests = 16, int lngIdleMs = 10000);
    ~LocalHttpServer();

    bool Listening() const { return mPort != 0; }
    std::wstring Url(const std::string& strPath) const;  // http://127.0.0.1:port + strPath
    int Requests() const { return mRequests; }
    static std::wstring RefusingUrl();  // a port just given back: nothing listens there

private:
    void Serve(int lngMaxRequests, int lngIdleMs);

    Handler mHandler;
    uint16_t mPort = 0;  // before mListener: Listen sets it
    test_sockets::Socket mListener;
    std::atomic<int> mRequests{0};
    std::atomic<bool> mStop{false};
    std::thread mThread;
};

}  // namespace testing_support
