#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixProcesses.h"

namespace {

using platform::posix::PosixProcesses;

TEST(PosixProcessesTest, TheRealSnapshotHoldsThisProgram) {
    std::vector<std::wstring> names;
    ASSERT_TRUE(PosixProcesses().Snapshot(platform::kSnapProcess, names));
    const std::wstring self = std::filesystem::read_symlink("/proc/self/exe").filename().wstring();
    EXPECT_NE(std::find(names.begin(), names.end(), self), names.end());
    for (const std::wstring& name : names) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(name.find(L'/'), std::wstring::npos);
    }
}

TEST(PosixProcessesTest, NamesComeFromExeThenArgvThenCommInPidOrder) {
    testing_support::TempFolder root;
    const struct {
        std::wstring pid;
        const char* exeLink;  // "": no such file, for this and the next ones
        const char* comm;
        std::string cmdline;
        const char* stat;
    } fakes[] = {
        // A kernel thread (flag 0x200000 in field 9) is skipped.
        {L"1", "", "kthreadd\n", "", "1 (kthreadd) S 0 0 0 0 -1 2129984 0 0"},
        {L"2", "/usr/bin/prog (deleted)", "prog\n", std::string("prog\0", 5), "2 (prog) S 1 1 1 0 -1 4194560 0 0"},
        // Hidden executable: argv[0] is the full name when it starts with the cut command name.
        {L"7", "", "long-process-na\n", std::string("/opt/x/long-process-name\0--flag\0", 32),
         "7 (long-process-na) S 1 1 1 0 -1 4194560 0 0"},
        // argv[0] that does not agree (a login shell), and a command name with ") " in it.
        {L"10", "", "ba) sh\n", std::string("-bash\0", 6), "10 (ba) sh) S 1 1 1 0 -1 4194560 0 0"},
        {L"300", "", "worker\n", "", "300 (worker) S 1 1 1 0 -1 4194560 0 0"},
        {L"self", "", "", "", ""},
    };
    for (const auto& fake : fakes) {
        const std::wstring folder = L"proc/" + fake.pid;
        if (*fake.comm) root.Write(folder + L"/comm", fake.comm);
        if (*fake.stat) root.Write(folder + L"/stat", fake.stat);
        root.Write(folder + L"/cmdline", fake.cmdline);
        if (*fake.exeLink) std::filesystem::create_symlink(fake.exeLink, root.Path() / "proc" / fake.pid / "exe");
    }
    root.Write(L"proc/modules", "");
    std::vector<std::wstring> names;
    ASSERT_TRUE(PosixProcesses(root.Path().string()).Snapshot(platform::kSnapProcess, names));
    EXPECT_EQ(names, (std::vector<std::wstring>{L"prog", L"long-process-name", L"ba) sh", L"worker"}));

    // No process table: a failed snapshot.
    std::filesystem::remove_all(root.Path() / "proc");
    EXPECT_FALSE(PosixProcesses(root.Path().string()).Snapshot(platform::kSnapProcess, names));
    EXPECT_TRUE(names.empty());
}

}  // namespace
