// Appending when the kernel cuts a write short, as a full disk does: a record
// goes in whole or not at all, so the next one starts a line of its own.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "fakes/TempFolder.h"
#include "platform/Machine.h"

namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

platform::FileSystem& Files() { return *platform::RealMachine().files; }

std::string ReadAll(const fs::path& path) {
    std::string bytes;
    Files().ReadFile(path.wstring(), bytes);
    return bytes;
}

struct Outcome {
    bool longRecord = true;
    bool nextRecord = false;
};

// A record too long for the room left, then one that fits. Nothing is
// asserted here: output may go to a file the limit applies to.
Outcome AppendPastTheLimit(const fs::path& file, size_t lngLong) {
    Outcome outcome;
    outcome.longRecord = Files().AppendText(file.wstring(), std::wstring(lngLong, L'x') + L"\r\n");
    outcome.nextRecord = Files().AppendText(file.wstring(), L"next\r\n");
    return outcome;
}

void ExpectWholeOrNothing(const Outcome& outcome, const fs::path& file) {
    EXPECT_FALSE(outcome.longRecord);
    EXPECT_TRUE(outcome.nextRecord);
    EXPECT_EQ(ReadAll(file), "first\r\nnext\r\n");
}

TEST(PosixAppendTest, AFileSizeLimitTearsNoRecord) {
    TempFolder folder;
    const fs::path file = folder.Path() / "log.txt";
    ASSERT_TRUE(Files().AppendText(file.wstring(), L"first\r\n"));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 32;
    // Past the limit the kernel would end the process; ignored, the write fails.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Outcome outcome = AppendPastTheLimit(file, 40);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    ExpectWholeOrNothing(outcome, file);
}

TEST(PosixAppendTest, AFullDiskTearsNoRecord) {
    TempFolder folder;
    const fs::path disk = folder.Path() / "disk";
    fs::create_directory(disk);
    if (::mount("quorvex-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "no small file system can be mounted here";
    }
    struct Unmount {
        const fs::path& at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{disk};
    const fs::path file = disk / "log.txt";
    ASSERT_TRUE(Files().AppendText(file.wstring(), L"first\r\n"));
    // Every free block taken: only the rest of the log's own block is left.
    const int fill = ::open((disk / "fill").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fill, 0);
    const std::string block(4096, 'f');
    while (::write(fill, block.data(), block.size()) > 0) {
    }
    ::close(fill);
    ExpectWholeOrNothing(AppendPastTheLimit(file, 8192), file);
}

}  // namespace
