// The Linux stand-ins for what the inventory asks Windows: processes,
// services, dial-up entries, special folders, libraries, the shell, system
// facts and downloads, read from fake roots wherever they can be.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <systemd/sd-bus.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/LocalHttpServer.h"
#include "platform/posix/AsOrdinaryUser.h"
#include "platform/posix/PosixDialUp.h"
#include "platform/posix/PosixInternet.h"
#include "platform/posix/PosixLibraries.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixShellFolders.h"
#include "platform/posix/PosixSystemInfo.h"

namespace {

using platform::posix::NetworkManagerClient;
using platform::posix::PosixDialUp;
using platform::posix::PosixProcesses;
using platform::posix::PosixServices;
using platform::posix::PosixShell;
using testing_support::TempFolder;
namespace fs = std::filesystem;
using Names = std::vector<std::wstring>;

TEST(PosixProcessesTest, TheRealSnapshotHoldsThisProgram) {
    Names names;
    ASSERT_TRUE(PosixProcesses().Snapshot(platform::kSnapProcess, names));
    const std::wstring self = fs::read_symlink("/proc/self/exe").filename().wstring();
    EXPECT_NE(std::find(names.begin(), names.end(), self), names.end());
}

// A fake root from tests/data, with the links git does not keep.
struct FakeRoot : TempFolder {
    FakeRoot() {
        fs::copy(QUORVEX_TEST_DATA "/platform/root", Path(), fs::copy_options::recursive);
        const fs::path etc = Path() / "etc/systemd/system";
        fs::create_symlink("/usr/bin/prog (deleted)", Path() / "proc/2/exe");
        fs::create_symlink("/dev/null", etc / "masked.service");
        fs::create_symlink(Path() / "usr/lib/systemd/system/real.service", etc / "alias.service");
        fs::create_symlink(Path() / "opt/linked.service", etc / "linked.service");
        // A merged /usr: the same folder again is not read twice.
        fs::create_symlink("usr/lib", Path() / "lib");
    }
};

// 1 is a kernel thread (flag 0x200000 in field 9), 2 a deleted executable, 7
// one whose full name only argv[0] has, 10 a login shell ("-bash") whose
// command name holds ") ", 300 one with nothing but its command name.
TEST(PosixProcessesTest, NamesComeFromExeThenArgvThenCommInPidOrder) {
    const FakeRoot root;
    Names names;
    ASSERT_TRUE(PosixProcesses(root.Path().string()).Snapshot(platform::kSnapProcess, names));
    EXPECT_EQ(names, (Names{L"prog", L"long-process-name", L"ba) sh", L"worker"}));

    // No process table: a failed snapshot.
    fs::remove_all(root.Path() / "proc");
    EXPECT_FALSE(PosixProcesses(root.Path().string()).Snapshot(platform::kSnapProcess, names));
    EXPECT_TRUE(names.empty());
}

Names Services(const TempFolder& root, uint32_t type) {
    std::vector<platform::ServiceEntry> entries;
    EXPECT_EQ(PosixServices(root.Path().string()).Enumerate(type, platform::kServiceStateAll, entries),
              platform::ServiceEnumResult::Ok);
    Names lines;
    for (const auto& entry : entries) lines.push_back(entry.DisplayName + L"~#" + entry.ServiceName);
    return lines;
}

// A unit in /etc hides the one in /usr/lib, and an init script counts when it
// is executable and no unit has its name; masked units, templates and other
// unit types are left out. Drivers are the loaded modules.
TEST(PosixServicesTest, UnitsAndUncoveredScriptsSortedByNameAndLoadedModules) {
    const FakeRoot root;
    EXPECT_EQ(Services(root, platform::kServiceWin32),
              (Names{L"Covered unit~#covered", L"Instance~#getty@tty9", L"Linked one~#linked", L"Local thing~#local",
                     L"Old style daemon~#oldstyle", L"plain~#plain", L"Real one~#real", L"runtime~#runtime"}));
    EXPECT_EQ(Services(root, platform::kServiceDriver), (Names{L"ext4~#ext4", L"snd~#snd"}));
    // Without the module list: the module folders that have a load state.
    fs::remove(root.Path() / "proc/modules");
    EXPECT_EQ(Services(root, platform::kServiceDriver), Names{L"ignored~#ignored"});
}

TEST(PosixServicesTest, NothingToReadIsAManagerThatCannotBeOpened) {
    TempFolder root;
    for (uint32_t type : {platform::kServiceWin32, platform::kServiceDriver}) {
        std::vector<platform::ServiceEntry> entries{{L"stale", L"stale"}};
        EXPECT_EQ(PosixServices(root.Path().string()).Enumerate(type, platform::kServiceStateAll, entries),
                  platform::ServiceEnumResult::OpenFailed);
        EXPECT_TRUE(entries.empty());
    }
}

// NetworkManager not running: the profile files are read.
bool NotRunning(std::vector<NetworkManagerClient::Profile>&) { return false; }

Names Entries(const TempFolder& root, int32_t& result, PosixDialUp::ProfileSource source = NotRunning) {
    Names names{L"stale"};
    result = PosixDialUp(root.Path().string(), std::move(source)).EnumEntries(names);
    return names;
}

// Profiles of the dial-up-like types from /etc, /run and /usr/lib (a file name
// in an earlier folder hides the later ones), by id or else by file name; then
// the ppp peers.
TEST(PosixDialUpTest, DialUpLikeProfilesThenPppPeers) {
    const FakeRoot root;
    int32_t result = -1;
    EXPECT_EQ(Entries(root, result), (Names{L"Mobile", L"noid", L"Office VPN", L"Tunnel", L"provider"}));
    EXPECT_EQ(result, 0);
    // What NetworkManager answers replaces the files; the ppp peers still follow.
    const auto answer = [](std::vector<NetworkManagerClient::Profile>& profiles) {
        profiles = {{"Zeta", "vpn"}, {"Home", "802-11-wireless"}, {"Hidden", ""}, {"Mobile", "gsm"}};
        return true;
    };
    result = -1;
    EXPECT_EQ(Entries(root, result, answer), (Names{L"Mobile", L"Zeta", L"provider"}));
    EXPECT_EQ(result, 0);
}

// Profile files belong to the administrator: for anyone else their type is unknown.
TEST(PosixDialUpTest, AProfileOfUnknownTypeIsNotCounted) {
    const FakeRoot root;
    fs::permissions(root.Path() / "etc/NetworkManager/system-connections/vpn.nmconnection", fs::perms::none);
    EXPECT_EQ(testing_support::AsOrdinaryUser([&] {
                  int32_t result = -1;
                  std::string text;
                  for (const std::wstring& name : Entries(root, result)) text += platform::ToAnsi(name) + ";";
                  return text + std::to_string(result);
              }),
              "Mobile;noid;Tunnel;provider;0");
}

// No folders: no dial-up support. An empty book is fine, one over 256 entries fails.
TEST(PosixDialUpTest, ThePhoneBookHoldsNoneToTwoHundredFiftySixEntries) {
    TempFolder root;
    const auto expect = [&root](size_t count, bool ok) {
        int32_t result = ok ? -1 : 0;
        EXPECT_EQ(Entries(root, result).size(), count);
        EXPECT_EQ(result == 0, ok) << count;
    };
    expect(0, false);
    fs::create_directories(root.Path() / "etc/ppp/peers");
    expect(0, true);
    for (int i = 0; i < 257; ++i) root.Write(L"etc/ppp/peers/p" + std::to_wstring(i), "");
    expect(0, false);
    fs::remove(root.Path() / "etc/ppp/peers/p0");
    expect(256, true);
}

TEST(NetworkManagerClientTest, IdAndTypeComeFromTheConnectionGroupOnly) {
    // Messages are built on a bus that is never connected to anything.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
    sd_bus* bus = nullptr;
    ASSERT_GE(sd_bus_new(&bus), 0);
    ASSERT_GE(sd_bus_set_fd(bus, fds[0], fds[0]), 0);
    ASSERT_GE(sd_bus_start(bus), 0);
    const struct {
        std::function<int(sd_bus_message*)> fill;
        bool read;
        std::string id, type;
    } cases[] = {
        {[](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 3, "ipv4", 2, "type", "s", "not this", "dns", "au", 2, 1u, 2u,
                                          "connection", 3, "id", "s", "Mobile", "autoconnect", "b", 0, "type", "s",
                                          "gsm", "gsm", 1, "apn", "s", "internet");
         },
         true, "Mobile", "gsm"},
        {[](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 1, "connection", 2, "type", "u", 5u, "id", "s", "Odd");
         },
         true, "Odd", ""},
        {[](sd_bus_message* m) { return sd_bus_message_append(m, "s", "connection"); }, false, "", ""},
    };
    for (const auto& c : cases) {
        sd_bus_message* message = nullptr;
        ASSERT_GE(sd_bus_message_new_method_call(bus, &message, "a.b", "/a", "a.b", "M"), 0);
        ASSERT_GE(c.fill(message), 0);
        ASSERT_GE(sd_bus_message_seal(message, 1, 0), 0);
        NetworkManagerClient::Profile profile{"stale", "stale"};
        EXPECT_EQ(NetworkManagerClient::ReadSettings(message, profile), c.read) << c.id;
        EXPECT_EQ(profile.id, c.id);
        EXPECT_EQ(profile.type, c.type);
        sd_bus_message_unref(message);
    }
    sd_bus_close_unref(bus);
    ::close(fds[1]);
}

std::map<std::string, std::string> gEnvironment;

const char* FakeEnvironment(const char* name) {
    const auto found = gEnvironment.find(name);
    return found == gEnvironment.end() ? nullptr : found->second.c_str();
}

TEST(PosixShellFoldersTest, FolderIdsMapToTheLinuxPlaces) {
    const std::pair<std::string, std::string> home{"HOME", "/home/u"};
    const struct {
        int32_t folder;
        std::map<std::string, std::string> environment;
        std::wstring path;  // empty: not found
    } cases[] = {
        {platform::kFolderProgramFiles, {}, L"/root/opt"},
        {platform::kFolderCommonPrograms, {}, L"/root/usr/share/applications"},
        {platform::kFolderPrograms, {{"XDG_DATA_HOME", "/data"}, home}, L"/data/applications"},
        {platform::kFolderPrograms, {{"XDG_DATA_HOME", "relative"}, home}, L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {home}, L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {}, L""},
        {platform::kFolderProgramFilesX86, {}, L""},
        {0x7F, {}, L""},
    };
    for (const auto& c : cases) {
        gEnvironment = c.environment;
        std::wstring path = L"stale";
        platform::posix::PosixShellFolders folders("/root", &FakeEnvironment);
        const int32_t result = folders.GetFolderPath(c.folder, 0, path);
        EXPECT_EQ(result == 0, !c.path.empty()) << c.folder;
        EXPECT_EQ(path, c.path) << c.folder;
    }
}

TEST(PosixLibrariesTest, LoadsAndFreesASystemLibraryByNameAndNothingElse) {
    platform::posix::PosixLibraries libraries;
    const uintptr_t first = libraries.Load(L"libm.so.6");
    ASSERT_NE(first, 0u);
    // The handle is the loader's own, in full width: it finds the library's symbols.
    EXPECT_NE(::dlsym(reinterpret_cast<void*>(first), "cos"), nullptr);
    const uintptr_t second = libraries.Load(L"libm.so.6");
    EXPECT_EQ(second, first);
    EXPECT_NE(libraries.Free(second), 0);
    EXPECT_NE(libraries.Free(first), 0);
    for (const wchar_t* name : {L"", L"libquorvex-missing.so", L"/nonexistent/libm.so.6"}) {
        EXPECT_EQ(libraries.Load(name), 0u) << static_cast<int>(*name);
    }
    EXPECT_EQ(libraries.Free(0), 0);
}

TEST(PosixShellTest, StartsTheOpenerWithTheTargetAsOneArgumentInTheWorkingFolder) {
    TempFolder folder;
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
    // Without an opener or a target nothing starts.
    EXPECT_LE(PosixShell("quorvex-no-such-opener").Open(L"file.txt", folder.WPath()), 32);
    EXPECT_LE(PosixShell().Open(L"", folder.WPath()), 32);
}

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

// Only the Linux download takes a short stall setting.
TEST(PosixInternetTest, StalledTransfersAndRedirectLoopsFailAndLeaveNoFile) {
    std::atomic<int> requests{0};
    testing_support::LocalHttpServer server([&requests](const std::string& path) {
        ++requests;
        if (path == "/stall") return testing_support::HttpReply{200, "ss", "", true};
        return testing_support::HttpReply{302, "", "Location: " + path + "x\r\n"};
    });
    const TempFolder folder;
    platform::posix::PosixInternet internet(1);
    for (const char* path : {"/stall", "/loop"}) {
        const std::wstring file = folder.File(L"~tmdf.tmp");
        EXPECT_NE(internet.DownloadToFile(server.Url(path), file), 0) << path;
        EXPECT_FALSE(fs::exists(file)) << path;
    }
    // The loop is followed ten times before giving up: eleven requests.
    EXPECT_EQ(requests, 1 + 11);
}

}  // namespace
