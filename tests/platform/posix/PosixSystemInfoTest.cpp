#include <gtest/gtest.h>

#include "platform/posix/PosixSystemInfo.h"

namespace {

TEST(PosixSystemInfoTest, KernelReleaseGivesTheVersionNumbers) {
    const struct {
        const char* release;
        uint32_t major, minor, build;
    } cases[] = {
        {"6.1.0-18-amd64", 6, 1, 0}, {"5.15.167.4-microsoft-standard-WSL2", 5, 15, 167}, {"6.8", 6, 8, 0},
        {"4", 4, 0, 0},              {"", 0, 0, 0},                                        {"x.1.2", 0, 0, 0},
        {"99999999999.1.2", 0xFFFFFFFFu, 1, 2},
    };
    for (const auto& c : cases) {
        platform::VersionInfo info;
        info.MajorVersion = info.MinorVersion = info.BuildNumber = 77;
        platform::posix::ParseKernelRelease(c.release, info);
        EXPECT_EQ(info.MajorVersion, c.major) << c.release;
        EXPECT_EQ(info.MinorVersion, c.minor) << c.release;
        EXPECT_EQ(info.BuildNumber, c.build) << c.release;
    }
}

TEST(PosixSystemInfoTest, PrettyNameIsUnquoted) {
    const char* const cases[][2] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Alpine'\r\n", "Alpine"},
        {"PRETTY_NAME=Plain\n", "Plain"},
        {"NAME=x\nXPRETTY_NAME=y\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::posix::PrettyName(c[0]), c[1]) << c[0];
}

}  // namespace
