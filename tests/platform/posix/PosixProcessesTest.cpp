#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixProcesses.h"

namespace {

using platform::posix::PosixProcesses;
using testing_support::TempFolder;

TEST(PosixProcessesTest, TheRealSnapshotHoldsThisProgram) {
    PosixProcesses processes;
    std::vector<std::wstring> names;
    ASSERT_TRUE(processes.Snapshot(platform::kSnapProcess, names));
    const std::wstring self = std::filesystem::read_symlink("/proc/self/exe").filename().wstring();
    EXPECT_NE(std::find(names.begin(), names.end(), self), names.end());
    for (const std::wstring& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find(L'/'), std::wstring::npos);
    }
}

// One fake process folder: what each of its files holds ("" = no such file).
struct FakeProcess {
    const char* pid;
    const char* exeLink;
    const char* comm;
    std::string cmdline;
    const char* stat;
};

TEST(PosixProcessesTest, NamesComeFromExeThenArgvThenCommInPidOrder) {
    TempFolder root;
    const FakeProcess fakes[] = {
        // A kernel thread (flag 0x200000 in field 9) is skipped.
        {"1", "", "kthreadd\n", "", "1 (kthreadd) S 0 0 0 0 -1 2129984 0 0"},
        {"2", "/usr/bin/prog (deleted)", "prog\n", std::string("prog\0", 5), "2 (prog) S 1 1 1 0 -1 4194560 0 0"},
        // Hidden executable: argv[0] is the full name when it starts with the cut command name.
        {"7", "", "long-process-na\n", std::string("/opt/x/long-process-name\0--flag\0", 32),
         "7 (long-process-na) S 1 1 1 0 -1 4194560 0 0"},
        // argv[0] that does not agree (a login shell), and a command name with ") " in it.
        {"10", "", "ba) sh\n", std::string("-bash\0", 6), "10 (ba) sh) S 1 1 1 0 -1 4194560 0 0"},
        {"300", "", "worker\n", "", "300 (worker) S 1 1 1 0 -1 4194560 0 0"},
        {"self", "", "", "", ""},
    };
    for (const FakeProcess& fake : fakes) {
        const std::wstring folder = L"proc/" + std::wstring(fake.pid, fake.pid + strlen(fake.pid));
        if (*fake.comm) root.Write(folder + L"/comm", fake.comm);
        if (*fake.stat) root.Write(folder + L"/stat", fake.stat);
        root.Write(folder + L"/cmdline", fake.cmdline);
        if (*fake.exeLink)
            std::filesystem::create_symlink(fake.exeLink, root.Path() / std::filesystem::path(folder) / "exe");
    }
    root.Write(L"proc/modules", "");

    PosixProcesses processes(root.Path().string());
    std::vector<std::wstring> names;
    ASSERT_TRUE(processes.Snapshot(platform::kSnapProcess, names));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"prog", L"long-process-name", L"ba) sh", L"worker"}));
}

TEST(PosixProcessesTest, NoProcessTableIsAFailedSnapshot) {
    TempFolder root;
    PosixProcesses processes(root.Path().string());
    std::vector<std::wstring> names{L"stale"};
    EXPECT_FALSE(processes.Snapshot(platform::kSnapProcess, names));
    EXPECT_TRUE(names.empty());
}

}  // namespace
