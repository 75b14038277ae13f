// Downloads through the real machine of the build from a server on 127.0.0.1.

#include <gtest/gtest.h>

#include <string>

#include "fakes/TempFolder.h"
#include "platform/LocalHttpServer.h"
#include "platform/Machine.h"

namespace {

using testing_support::HttpReply;
using testing_support::LocalHttpServer;

// What the download left in the file ("<none>" when no file), and its result.
std::string Fetch(const std::wstring& strUrl, int32_t& result) {
    const testing_support::TempFolder folder;
    const std::wstring file = folder.File(L"~tmdf.tmp");
    platform::Machine& real = platform::RealMachine();
    real.internet->DeleteCacheEntry(strUrl);
    result = real.internet->DownloadToFile(strUrl, file);
    std::string bytes = "<none>";
    if (real.files->FileExists(file)) real.files->ReadFile(file, bytes);
    return bytes;
}

TEST(DownloadTest, StoresExactlyTheBodyOrNothingAndAsksTheServerEveryTime) {
    const std::string binary("a\0b\r\n\xff", 6);
    int served = 0;
    LocalHttpServer server([&](const std::string& path) {
        if (path == "/ok") return HttpReply{200, "OK"};
        if (path == "/binary") return HttpReply{200, binary};
        if (path == "/empty") return HttpReply{200, ""};
        if (path == "/moved") return HttpReply{302, "see elsewhere", "Location: /ok\r\n"};
        if (path == "/error") return HttpReply{500, "server trouble"};
        if (path == "/cached") return HttpReply{200, std::to_string(++served), "Cache-Control: max-age=3600\r\n"};
        return HttpReply{404, "error page"};
    });
    // A port just given back: nothing listens there.
    const std::wstring refused = LocalHttpServer([](const std::string&) { return HttpReply{200, ""}; }).Url("/");
    const struct {
        std::wstring url;
        std::string content;  // "<none>": the download fails
    } cases[] = {
        {server.Url("/ok"), "OK"},    {server.Url("/binary"), binary},    {server.Url("/empty"), ""},
        {server.Url("/moved"), "OK"}, {server.Url("/missing"), "<none>"}, {server.Url("/error"), "<none>"},
        {refused, "<none>"},          {server.Url("/cached"), "1"},       {server.Url("/cached"), "2"},
    };
    for (const auto& c : cases) {
        int32_t result = -1;
        EXPECT_EQ(Fetch(c.url, result), c.content) << std::string(c.url.begin(), c.url.end());
        EXPECT_EQ(result == 0, c.content != "<none>") << std::string(c.url.begin(), c.url.end());
    }
}

}  // namespace
