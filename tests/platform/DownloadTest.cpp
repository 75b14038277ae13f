// Downloads through the real machine of the build, against a server on
// 127.0.0.1 that the test runs itself.

#include <gtest/gtest.h>

#include <string>

#include "fakes/TempFolder.h"
#include "platform/LocalHttpServer.h"
#include "platform/Machine.h"

namespace {

using testing_support::HttpReply;
using testing_support::LocalHttpServer;
using testing_support::TempFolder;

platform::Internet& Internet() { return *platform::RealMachine().internet; }

HttpReply Route(const std::string& path) {
    if (path == "/ok") return {200, "OK", "", false};
    if (path == "/binary") return {200, std::string("a\0b\r\n\xff", 6), "", false};
    if (path == "/empty") return {200, "", "", false};
    if (path == "/moved") return {302, "see elsewhere", "Location: /ok\r\n", false};
    if (path == "/error") return {500, "server trouble", "", false};
    return {404, "error page", "", false};
}

class DownloadTest : public ::testing::Test {
protected:
    // Downloads strUrl into the temporary file; what the file holds, or
    // "<none>" when no file was left.
    std::string Fetch(const std::wstring& strUrl, int32_t& result) {
        const std::wstring file = mFolder.File(L"~tmdf.tmp");
        Internet().DeleteCacheEntry(strUrl);
        result = Internet().DownloadToFile(strUrl, file);
        if (!platform::RealMachine().files->FileExists(file)) return "<none>";
        std::string bytes;
        platform::RealMachine().files->ReadFile(file, bytes);
        platform::RealMachine().files->DeleteFile(file);
        return bytes;
    }

    TempFolder mFolder;
};

TEST_F(DownloadTest, StoresExactlyTheBodyOrNothing) {
    LocalHttpServer server(&Route);
    ASSERT_TRUE(server.Listening());
    const struct {
        const char* path;
        bool ok;
        std::string content;
    } cases[] = {
        {"/ok", true, "OK"},           {"/binary", true, std::string("a\0b\r\n\xff", 6)},
        {"/empty", true, ""},          {"/moved", true, "OK"},
        {"/missing", false, "<none>"}, {"/error", false, "<none>"},
    };
    for (const auto& c : cases) {
        int32_t result = -1;
        const std::string content = Fetch(server.Url(c.path), result);
        EXPECT_EQ(result == 0, c.ok) << c.path;
        EXPECT_EQ(content, c.content) << c.path;
    }
}

TEST_F(DownloadTest, ARefusedConnectionFailsAndLeavesNoFile) {
    int32_t result = 0;
    EXPECT_EQ(Fetch(LocalHttpServer::RefusingUrl(), result), "<none>");
    EXPECT_NE(result, 0);
}

TEST_F(DownloadTest, EveryDownloadAsksTheServerAgain) {
    int served = 0;
    LocalHttpServer server([&served](const std::string&) {
        return HttpReply{200, "version " + std::to_string(++served), "Cache-Control: max-age=3600\r\n", false};
    });
    int32_t result = -1;
    EXPECT_EQ(Fetch(server.Url("/same"), result), "version 1");
    EXPECT_EQ(Fetch(server.Url("/same"), result), "version 2");
    EXPECT_EQ(result, 0);
}

}  // namespace
