// The real system facts and clock of the build, through the seam only: the
// same cases must pass on Windows and on Linux.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Machine.h"

namespace {

platform::SystemInfo& System() { return *platform::RealMachine().system; }
platform::Clock& Clock() { return *platform::RealMachine().clock; }

bool OnWindows() { return platform::PathSeparator() == L'\\'; }

bool EndsWith(std::wstring_view text, std::wstring_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

TEST(SystemInfoTest, ProgramPathIsThisTestInItsFolder) {
    const std::wstring path = System().ProgramPath();
    const std::wstring folder = System().ProgramFolder();
    const std::wstring name = OnWindows() ? L"test_platform.exe" : L"test_platform";

    EXPECT_TRUE(EndsWith(path, platform::PathSep() + name)) << std::string(path.begin(), path.end());
    EXPECT_TRUE(platform::RealMachine().files->FileExists(path));
    EXPECT_TRUE(platform::RealMachine().files->FolderExists(folder));

    ASSERT_FALSE(folder.empty());
    ASSERT_LT(folder.size(), path.size());
    EXPECT_EQ(path.substr(0, folder.size()), folder);
    // The folder is all of the path but the name: no separator left over or missing.
    std::wstring joined = folder;
    if (!EndsWith(joined, platform::PathSep())) joined += platform::PathSep();
    EXPECT_EQ(joined + name, path);
}

TEST(SystemInfoTest, GetVersionReportsThePlatform) {
    platform::VersionInfo info;
    ASSERT_TRUE(System().GetVersion(info));
    EXPECT_GT(info.MajorVersion, 0u);
    EXPECT_EQ(info.PlatformId, OnWindows() ? platform::kPlatformWin32NT : platform::kPlatformUnix);
    EXPECT_EQ(info.CSDVersion.find(L'\0'), std::wstring::npos);
}

TEST(SystemInfoTest, InstanceHandleIsSetAndStable) {
    const uint64_t handle = System().InstanceHandle();
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(System().InstanceHandle(), handle);
}

TEST(SystemInfoTest, LocaleSeparatorsArePunctuation) {
    const wchar_t decimal = System().DecimalSeparator();
    EXPECT_NE(decimal, L'\0');
    EXPECT_FALSE(decimal >= L'0' && decimal <= L'9');
    for (const std::wstring& separator : {System().DateSeparator(), System().TimeSeparator()}) {
        ASSERT_FALSE(separator.empty());
        EXPECT_EQ(separator.find(L'\0'), std::wstring::npos);
        EXPECT_FALSE(separator[0] >= L'0' && separator[0] <= L'9');
    }
}

TEST(ClockTest, CountersMoveForward) {
    ASSERT_GT(Clock().PerfFrequency(), 0);
    const int64_t counter = Clock().PerfCounter();
    const uint32_t milliseconds = Clock().Milliseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GT(Clock().PerfCounter(), counter);
    // The tick count wraps: compare the distance, not the values.
    const uint32_t elapsed = Clock().Milliseconds() - milliseconds;
    EXPECT_GT(elapsed, 0u);
    EXPECT_LT(elapsed, 0x80000000u);
}

TEST(ClockTest, NowIsAPlausibleLocalTime) {
    const platform::LocalDateTime now = Clock().Now();
    EXPECT_GE(now.Year, 2024);
    EXPECT_LT(now.Year, 2200);
    EXPECT_TRUE(now.Month >= 1 && now.Month <= 12) << now.Month;
    EXPECT_TRUE(now.Day >= 1 && now.Day <= 31) << now.Day;
    EXPECT_TRUE(now.Hour >= 0 && now.Hour <= 23) << now.Hour;
    EXPECT_TRUE(now.Minute >= 0 && now.Minute <= 59) << now.Minute;
    EXPECT_TRUE(now.Second >= 0 && now.Second <= 60) << now.Second;
    EXPECT_TRUE(now.Millisecond >= 0 && now.Millisecond <= 999) << now.Millisecond;
}

}  // namespace
