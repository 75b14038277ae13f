// The seam, and the real system facts and clock of the build through it: the
// same cases must pass on Windows and on Linux.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "fakes/FakeMachine.h"
#include "platform/Machine.h"

namespace {

TEST(MachineTest, HostIsTheRealMachineWithEveryConcern) {
    platform::Machine& host = platform::Host();
    EXPECT_EQ(&host, &platform::RealMachine());
    const void* const concerns[] = {host.registry, host.files,     host.services, host.processes, host.dialUp,
                                    host.folders,  host.libraries, host.internet, host.profile,   host.system,
                                    host.shell,    host.clock,     host.dialogs};
    for (const void* concern : concerns) EXPECT_NE(concern, nullptr);
}

TEST(MachineTest, ScopedOverrideReplacesOnlyWhatItNamesAndRestores) {
    platform::Machine& real = platform::RealMachine();
    {
        testing_support::FakeMachine fake;
        EXPECT_EQ(platform::Host().clock, &fake.clock);
        EXPECT_EQ(platform::Host().files, &fake.files);
        EXPECT_EQ(platform::Host().profile, real.profile);
        {
            testing_support::FakeClock inner;
            platform::Machine bundle;
            bundle.clock = &inner;
            platform::ScopedMachine nested(bundle);
            EXPECT_EQ(platform::Host().clock, &inner);
            EXPECT_EQ(platform::Host().dialogs, &fake.dialogs) << "taken from the machine it replaces";
        }
        EXPECT_EQ(platform::Host().clock, &fake.clock);
    }
    EXPECT_EQ(&platform::Host(), &real);
}

platform::SystemInfo& System() { return *platform::RealMachine().system; }
platform::Clock& Clock() { return *platform::RealMachine().clock; }
bool OnWindows() { return platform::PathSeparator() == L'\\'; }

TEST(SystemInfoTest, ProgramPathIsThisTestInItsFolderAndInTheProcessSnapshot) {
    const std::wstring path = System().ProgramPath();
    std::wstring folder = System().ProgramFolder();
    EXPECT_TRUE(platform::RealMachine().files->FileExists(path));
    EXPECT_TRUE(platform::RealMachine().files->FolderExists(folder));
    // The folder is all of the path but the name: no separator left over or missing.
    if (folder.empty() || folder.back() != platform::PathSeparator()) folder += platform::PathSep();
    const std::wstring name = OnWindows() ? L"test_platform.exe" : L"test_platform";
    EXPECT_EQ(folder + name, path);
    std::vector<std::wstring> names;
    ASSERT_TRUE(platform::RealMachine().processes->Snapshot(platform::kSnapProcess, names));
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
}

TEST(SystemInfoTest, VersionInstanceAndLocaleSeparatorsAreSet) {
    platform::VersionInfo info;
    ASSERT_TRUE(System().GetVersion(info));
    EXPECT_GT(info.MajorVersion, 0u);
    EXPECT_EQ(info.PlatformId, OnWindows() ? platform::kPlatformWin32NT : platform::kPlatformUnix);
    EXPECT_EQ(info.CSDVersion.find(L'\0'), std::wstring::npos);

    EXPECT_NE(System().InstanceHandle(), 0u);
    EXPECT_EQ(System().InstanceHandle(), System().InstanceHandle());

    for (const std::wstring& separator :
         {std::wstring(1, System().DecimalSeparator()), System().DateSeparator(), System().TimeSeparator()}) {
        ASSERT_FALSE(separator.empty());
        EXPECT_EQ(separator.find(L'\0'), std::wstring::npos);
        EXPECT_FALSE(separator[0] >= L'0' && separator[0] <= L'9');
    }
}

TEST(ClockTest, CountersMoveForwardAndNowIsAPlausibleLocalTime) {
    ASSERT_GT(Clock().PerfFrequency(), 0);
    const int64_t counter = Clock().PerfCounter();
    const uint32_t milliseconds = Clock().Milliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GT(Clock().PerfCounter(), counter);
    // The tick count wraps: compare the distance, not the values.
    const uint32_t elapsed = Clock().Milliseconds() - milliseconds;
    EXPECT_GT(elapsed, 0u);
    EXPECT_LT(elapsed, 0x80000000u);

    const platform::LocalDateTime now = Clock().Now();
    const int fields[][3] = {{now.Year, 2024, 2199}, {now.Month, 1, 12},  {now.Day, 1, 31},        {now.Hour, 0, 23},
                             {now.Minute, 0, 59},    {now.Second, 0, 60}, {now.Millisecond, 0, 999}};
    for (const auto& [value, low, high] : fields) EXPECT_TRUE(value >= low && value <= high) << value;
}

}  // namespace
