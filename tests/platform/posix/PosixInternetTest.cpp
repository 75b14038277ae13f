// Only the Linux download takes a short stall setting.

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/LocalHttpServer.h"
#include "platform/posix/PosixInternet.h"

namespace {

using testing_support::HttpReply;

TEST(PosixInternetTest, StalledTransfersAndRedirectLoopsFailAndLeaveNoFile) {
    testing_support::LocalHttpServer server(
        [](const std::string& path) {
            if (path == "/stall") return HttpReply{200, "ss", "", true};
            return HttpReply{302, "", "Location: " + path + "x\r\n"};
        },
        32, 5000);
    ASSERT_TRUE(server.Listening());
    const testing_support::TempFolder folder;
    platform::posix::PosixInternet internet(1);
    for (const char* path : {"/stall", "/loop"}) {
        const std::wstring file = folder.File(L"~tmdf.tmp");
        EXPECT_NE(internet.DownloadToFile(server.Url(path), file), 0) << path;
        EXPECT_FALSE(std::filesystem::exists(file)) << path;
    }
    // The loop is followed ten times before giving up: eleven requests.
    EXPECT_EQ(server.Requests(), 1 + 11);
}

}  // namespace
