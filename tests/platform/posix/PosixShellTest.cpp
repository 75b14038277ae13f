#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixShell.h"

namespace {

using platform::posix::PosixShell;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// Waits (bounded) for the started opener to write its one-line report.
std::string WaitForLine(const TempFolder& folder, const wchar_t* name) {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(folder.Path() / name)) text = folder.Read(name);
        if (!text.empty() && text.back() == '\n') break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return text;
}

TEST(PosixShellTest, StartsTheOpenerWithTheTargetAsOneArgumentInTheWorkingFolder) {
    TempFolder folder;
    const std::string report = (folder.Path() / "report.out").string();
    folder.Write(L"opener", "#!/bin/sh\nprintf '%s|%s|%s\\n' \"$PWD\" \"$#\" \"$1\" > '" + report + "'\n");
    fs::permissions(folder.Path() / "opener", fs::perms::owner_all);
    folder.Write(L"work/x", "");

    PosixShell shell((folder.Path() / "opener").string());
    // Shell syntax in the target stays text: nothing runs it.
    const std::wstring target = L"a b;touch pwned $(touch pwned2) 'q'";
    EXPECT_GT(shell.Open(target, folder.File(L"work")), 32);
    EXPECT_EQ(WaitForLine(folder, L"report.out"),
              fs::canonical(folder.Path() / "work").string() + "|1|a b;touch pwned $(touch pwned2) 'q'\n");
    EXPECT_FALSE(fs::exists(folder.Path() / "work/pwned"));
    EXPECT_FALSE(fs::exists(folder.Path() / "work/pwned2"));
}

TEST(PosixShellTest, FailsWithoutAnOpenerOrATarget) {
    TempFolder folder;
    EXPECT_LE(PosixShell((folder.Path() / "no-such-opener").string()).Open(L"file.txt", folder.WPath()), 32);
    EXPECT_LE(PosixShell("quorvex-no-such-opener").Open(L"file.txt", folder.WPath()), 32);
    EXPECT_LE(PosixShell().Open(L"", folder.WPath()), 32);
}

}  // namespace
