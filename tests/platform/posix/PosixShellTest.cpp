#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixShell.h"

namespace {

using platform::posix::PosixShell;
namespace fs = std::filesystem;

TEST(PosixShellTest, StartsTheOpenerWithTheTargetAsOneArgumentInTheWorkingFolder) {
    testing_support::TempFolder folder;
    const std::string report = (folder.Path() / "report.out").string();
    folder.Write(L"opener", "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$PWD\" \"$#\" \"$1\" > '" + report + "'\n");
    fs::permissions(folder.Path() / "opener", fs::perms::owner_all);
    folder.Write(L"work/x", "");
    // Shell syntax in the target stays text: nothing runs it.
    const std::wstring target = L"a b;touch pwned $(touch pwned2) 'q'";
    EXPECT_GT(PosixShell((folder.Path() / "opener").string()).Open(target, folder.File(L"work")), 32);
    // Waits (bounded) for the opener's one-line report.
    std::string text;
    for (int i = 0; i < 500 && (text.empty() || text.back() != '\n'); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (fs::exists(report)) text = folder.Read(L"report.out");
    }
    EXPECT_EQ(text, fs::canonical(folder.Path() / "work").string() + "|1|a b;touch pwned $(touch pwned2) 'q'\n");
    EXPECT_FALSE(fs::exists(folder.Path() / "work/pwned"));
    EXPECT_FALSE(fs::exists(folder.Path() / "work/pwned2"));
}

TEST(PosixShellTest, FailsWithoutAnOpenerOrATarget) {
    testing_support::TempFolder folder;
    EXPECT_LE(PosixShell((folder.Path() / "no-such-opener").string()).Open(L"file.txt", folder.WPath()), 32);
    EXPECT_LE(PosixShell("quorvex-no-such-opener").Open(L"file.txt", folder.WPath()), 32);
    EXPECT_LE(PosixShell().Open(L"", folder.WPath()), 32);
}

}  // namespace
