// What only the Linux download can be made to show: a stalled transfer and
// a redirect loop, with a short stall setting.

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/LocalHttpServer.h"
#include "platform/posix/PosixInternet.h"

namespace {

using testing_support::HttpReply;
using testing_support::LocalHttpServer;
using testing_support::TempFolder;

TEST(PosixInternetTest, StalledTransfersAndRedirectLoopsFailAndLeaveNoFile) {
    LocalHttpServer server(
        [](const std::string& path) {
            if (path == "/stall") return HttpReply{200, "ss", "", true};
            return HttpReply{302, "", "Location: " + path + "x\r\n", false};
        },
        32, 5000);
    ASSERT_TRUE(server.Listening());
    TempFolder folder;
    platform::posix::PosixInternet internet(1);
    for (const char* path : {"/stall", "/loop"}) {
        const std::wstring file = folder.File(L"~tmdf.tmp");
        EXPECT_NE(internet.DownloadToFile(server.Url(path), file), 0) << path;
        EXPECT_FALSE(std::filesystem::exists(file)) << path;
    }
    // The loop was followed ten times before giving up: eleven requests.
    EXPECT_EQ(server.Requests(), 1 + 11);
}

}  // namespace
