#include <gtest/gtest.h>

#include "platform/posix/PosixSystemInfo.h"

namespace {

using platform::VersionInfo;
using platform::posix::ParseKernelRelease;
using platform::posix::PrettyName;

TEST(PosixSystemInfoTest, KernelReleaseGivesTheVersionNumbers) {
    struct Case {
        const char* release;
        uint32_t major, minor, build;
    } cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"5.15.167.4-microsoft-standard-WSL2", 5, 15, 167}, {"6.8", 6, 8, 0},
        {"4", 4, 0, 0},              {"", 0, 0, 0},                                        {"x.1.2", 0, 0, 0},
        {"99999999999.1.2", 0xFFFFFFFFu, 1, 2},
    };
    for (const auto& c : cases) {
        VersionInfo info;
        info.MajorVersion = info.MinorVersion = info.BuildNumber = 77;
        ParseKernelRelease(c.release, info);
        EXPECT_EQ(info.MajorVersion, c.major) << c.release;
        EXPECT_EQ(info.MinorVersion, c.minor) << c.release;
        EXPECT_EQ(info.BuildNumber, c.build) << c.release;
    }
}

TEST(PosixSystemInfoTest, PrettyNameIsUnquoted) {
    EXPECT_EQ(PrettyName("NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n"),
              "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(PrettyName("PRETTY_NAME='Alpine'\r\n"), "Alpine");
    EXPECT_EQ(PrettyName("PRETTY_NAME=Plain\n"), "Plain");
    EXPECT_EQ(PrettyName("NAME=x\nXPRETTY_NAME=y\n"), "");
    EXPECT_EQ(PrettyName(""), "");
}

}  // namespace
