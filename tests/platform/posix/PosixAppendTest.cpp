// Appending when the kernel cuts a write short, as a full disk does: a record
// goes in whole or not at all, so the next one starts a line of its own.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>

#include "fakes/TempFolder.h"
#include "platform/Machine.h"

namespace {

// A file size limit makes the kernel write what fits and then fail, the way
// a full disk does, without needing a full disk.
TEST(PosixAppendTest, AWriteCutShortTearsNoRecord) {
    platform::FileSystem& files = *platform::RealMachine().files;
    testing_support::TempFolder folder;
    const std::wstring file = folder.File(L"log.txt");
    ASSERT_TRUE(files.AppendText(file, L"first\r\n"));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 32;
    // Past the limit the kernel would end the process; ignored, the write fails.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    // Nothing asserted while the limit holds: test output may go to a file.
    const bool longRecord = files.AppendText(file, std::wstring(40, L'x') + L"\r\n");
    const bool nextRecord = files.AppendText(file, L"next\r\n");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(longRecord);
    EXPECT_TRUE(nextRecord);
    EXPECT_EQ(folder.Read(L"log.txt"), "first\r\nnext\r\n");
}

}  // namespace
