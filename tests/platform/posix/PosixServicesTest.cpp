#include <gtest/gtest.h>

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

std::vector<std::wstring> Lines(PosixServices& services, uint32_t type) {
    std::vector<ServiceEntry> entries;
    EXPECT_EQ(services.Enumerate(type, platform::kServiceStateAll, entries), ServiceEnumResult::Ok);
    std::vector<std::wstring> lines;
    for (const ServiceEntry& entry : entries) lines.push_back(entry.DisplayName + L"~#" + entry.ServiceName);
    return lines;
}

TEST(PosixServicesTest, UnitsAndUncoveredScriptsSortedByName) {
    TempFolder root;
    const fs::path etc = root.Path() / "etc/systemd/system";
    root.Write(L"etc/systemd/system/local.service", "[Unit]\nDescription=Local thing\n");
    root.Write(L"etc/systemd/system/multi-user.target.wants/inner.service", "[Unit]\nDescription=Wanted\n");
    root.Write(L"opt/linked.service", "[Unit]\r\nDescription = Linked one \r\n");
    fs::create_symlink("/dev/null", etc / "masked.service");
    fs::create_symlink(root.Path() / "usr/lib/systemd/system/real.service", etc / "alias.service");
    fs::create_symlink(root.Path() / "opt/linked.service", etc / "linked.service");
    root.Write(L"run/systemd/system/runtime.service", "[Service]\nExecStart=/bin/true\n");
    const std::wstring lib = L"usr/lib/systemd/system/";
    root.Write(lib + L"local.service", "[Unit]\nDescription=Shadowed\n");
    root.Write(lib + L"masked.service", "[Unit]\nDescription=Masked\n");
    root.Write(lib + L"real.service",
               "[Service]\nDescription=Wrong section\n# Description=comment\n[Unit]\nDescription=Real one\n");
    root.Write(lib + L"getty@.service", "[Unit]\nDescription=Template\n");
    root.Write(lib + L"getty@tty9.service", "[Unit]\nDescription=Instance\n");
    root.Write(lib + L"covered.service", "[Unit]\nDescription=Covered unit\n");
    root.Write(lib + L"basic.target", "[Unit]\nDescription=Not a service\n");
    // A merged /usr: the same folder again is not read twice.
    fs::create_symlink("usr/lib", root.Path() / "lib");
    const auto script = [&](const wchar_t* name, const char* text, fs::perms rights = fs::perms::owner_all) {
        root.Write(L"etc/init.d/" + std::wstring(name), text);
        fs::permissions(root.Path() / "etc/init.d" / fs::path(name), rights);
    };
    script(L"covered", "#!/bin/sh\n# Short-Description: Covered script\n");
    script(L"masked", "#!/bin/sh\n");
    script(L"oldstyle", "#!/bin/sh\n### BEGIN INIT INFO\n# Short-Description: Old style daemon\n");
    script(L"plain", "#!/bin/sh\n");
    script(L"notexec", "#!/bin/sh\n", fs::perms::owner_read | fs::perms::owner_write);
    PosixServices services(root.Path().string());
    EXPECT_EQ(Lines(services, platform::kServiceWin32),
              (std::vector<std::wstring>{L"Covered unit~#covered", L"Instance~#getty@tty9", L"Linked one~#linked",
                                         L"Local thing~#local", L"Old style daemon~#oldstyle", L"plain~#plain",
                                         L"Real one~#real", L"runtime~#runtime"}));
}

TEST(PosixServicesTest, DriversAreTheLoadedModules) {
    TempFolder root;
    root.Write(L"proc/modules", "snd 1 0 - Live 0x0\next4 2 1 - Live 0x0\n");
    root.Write(L"sys/module/ignored/initstate", "live\n");
    PosixServices services(root.Path().string());
    EXPECT_EQ(Lines(services, platform::kServiceDriver), (std::vector<std::wstring>{L"ext4~#ext4", L"snd~#snd"}));
    // Without the module list: the module folders that have a load state.
    fs::remove(root.Path() / "proc/modules");
    root.Write(L"sys/module/builtin/parameters/x", "1");
    EXPECT_EQ(Lines(services, platform::kServiceDriver), std::vector<std::wstring>{L"ignored~#ignored"});
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

}  // namespace
