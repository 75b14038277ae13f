#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixServices.h"

namespace {

using platform::ServiceEntry;
using platform::ServiceEnumResult;
using platform::posix::PosixServices;
using testing_support::TempFolder;
namespace fs = std::filesystem;

std::vector<std::wstring> Lines(const std::vector<ServiceEntry>& entries) {
    std::vector<std::wstring> lines;
    for (const ServiceEntry& entry : entries) lines.push_back(entry.DisplayName + L"~#" + entry.ServiceName);
    return lines;
}

void Script(const TempFolder& root, const wchar_t* name, const char* text, bool executable) {
    root.Write(std::wstring(L"etc/init.d/") + name, text);
    fs::permissions(root.Path() / "etc/init.d" / fs::path(name),
                    executable ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write);
}

TEST(PosixServicesTest, UnitsAndUncoveredScriptsSortedByName) {
    TempFolder root;
    const fs::path etc = root.Path() / "etc/systemd/system";
    const fs::path lib = root.Path() / "usr/lib/systemd/system";
    root.Write(L"etc/systemd/system/local.service", "[Unit]\nDescription=Local thing\n");
    root.Write(L"etc/systemd/system/multi-user.target.wants/inner.service", "[Unit]\nDescription=Wanted\n");
    root.Write(L"opt/linked.service", "[Unit]\r\nDescription = Linked one \r\n");
    fs::create_symlink("/dev/null", etc / "masked.service");
    fs::create_symlink(lib / "real.service", etc / "alias.service");
    fs::create_symlink(root.Path() / "opt/linked.service", etc / "linked.service");
    root.Write(L"run/systemd/system/runtime.service", "[Service]\nExecStart=/bin/true\n");
    root.Write(L"usr/lib/systemd/system/local.service", "[Unit]\nDescription=Shadowed\n");
    root.Write(L"usr/lib/systemd/system/masked.service", "[Unit]\nDescription=Masked\n");
    root.Write(L"usr/lib/systemd/system/real.service",
               "[Service]\nDescription=Wrong section\n# Description=comment\n[Unit]\nDescription=Real one\n");
    root.Write(L"usr/lib/systemd/system/getty@.service", "[Unit]\nDescription=Template\n");
    root.Write(L"usr/lib/systemd/system/getty@tty9.service", "[Unit]\nDescription=Instance\n");
    root.Write(L"usr/lib/systemd/system/covered.service", "[Unit]\nDescription=Covered unit\n");
    root.Write(L"usr/lib/systemd/system/basic.target", "[Unit]\nDescription=Not a service\n");
    // A merged /usr: the same folder again is not read twice.
    fs::create_symlink("usr/lib", root.Path() / "lib");
    Script(root, L"covered", "#!/bin/sh\n# Short-Description: Covered script\n", true);
    Script(root, L"masked", "#!/bin/sh\n", true);
    Script(root, L"oldstyle", "#!/bin/sh\n### BEGIN INIT INFO\n# Short-Description: Old style daemon\n", true);
    Script(root, L"plain", "#!/bin/sh\n", true);
    Script(root, L"notexec", "#!/bin/sh\n", false);

    PosixServices services(root.Path().string());
    std::vector<ServiceEntry> entries;
    ASSERT_EQ(services.Enumerate(platform::kServiceWin32, platform::kServiceStateAll, entries), ServiceEnumResult::Ok);
    EXPECT_EQ(Lines(entries), (std::vector<std::wstring>{
                                  L"Covered unit~#covered",
                                  L"Instance~#getty@tty9",
                                  L"Linked one~#linked",
                                  L"Local thing~#local",
                                  L"Old style daemon~#oldstyle",
                                  L"plain~#plain",
                                  L"Real one~#real",
                                  L"runtime~#runtime",
                              }));
}

TEST(PosixServicesTest, DriversAreTheLoadedModules) {
    TempFolder root;
    root.Write(L"proc/modules", "snd 1 0 - Live 0x0\next4 2 1 - Live 0x0\n");
    root.Write(L"sys/module/ignored/initstate", "live\n");
    PosixServices services(root.Path().string());
    std::vector<ServiceEntry> entries;
    ASSERT_EQ(services.Enumerate(platform::kServiceDriver, platform::kServiceStateAll, entries), ServiceEnumResult::Ok);
    EXPECT_EQ(Lines(entries), (std::vector<std::wstring>{L"ext4~#ext4", L"snd~#snd"}));

    // Without the module list: the module folders that have a load state.
    fs::remove(root.Path() / "proc/modules");
    root.Write(L"sys/module/builtin/parameters/x", "1");
    ASSERT_EQ(services.Enumerate(platform::kServiceDriver, platform::kServiceStateAll, entries), ServiceEnumResult::Ok);
    EXPECT_EQ(Lines(entries), (std::vector<std::wstring>{L"ignored~#ignored"}));
}

TEST(PosixServicesTest, NothingToReadIsAManagerThatCannotBeOpened) {
    TempFolder root;
    PosixServices services(root.Path().string());
    for (uint32_t type : {platform::kServiceWin32, platform::kServiceDriver}) {
        std::vector<ServiceEntry> entries{{L"stale", L"stale"}};
        EXPECT_EQ(services.Enumerate(type, platform::kServiceStateAll, entries), ServiceEnumResult::OpenFailed);
        EXPECT_TRUE(entries.empty());
    }
}

TEST(PosixServicesTest, TheRealSystemAnswers) {
    PosixServices services;
    std::vector<ServiceEntry> entries;
    // A container may have neither units nor modules; whatever it lists is well formed.
    if (services.Enumerate(platform::kServiceWin32, platform::kServiceStateAll, entries) != ServiceEnumResult::Ok) {
        GTEST_SKIP() << "no service sources on this machine";
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_FALSE(entries[i].ServiceName.empty());
        EXPECT_FALSE(entries[i].DisplayName.empty());
        if (i > 0) {
            EXPECT_LT(entries[i - 1].ServiceName, entries[i].ServiceName);
        }
    }
}

}  // namespace
