#pragma once
// A deterministic machine for tests: a clock and date that only move when the
// test says so, fixed system facts, and message boxes that are recorded and
// answered from a script. Concerns the fake does not replace come from the
// real machine (files in a real temporary folder, the profile reader).

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fakes/FakeInventory.h"
#include "platform/Machine.h"

namespace testing_support {

class FakeClock final : public platform::Clock {
public:
    int64_t frequency = 1000000;   // ticks per second; 0 = no high-resolution counter
    int64_t counter = 0;
    uint32_t milliseconds = 0;
    platform::LocalDateTime now{2026, 12, 6, 9, 5, 3, 0};

    int64_t PerfFrequency() override { return frequency; }
    int64_t PerfCounter() override { return counter; }
    uint32_t Milliseconds() override { return milliseconds; }
    platform::LocalDateTime Now() override { return now; }

    // Moves both clocks on by the given seconds.
    void Advance(double seconds);
};

class FakeSystemInfo final : public platform::SystemInfo {
public:
    bool versionOk = true;
    platform::VersionInfo version{10, 0, 19045, platform::kPlatformWin32NT, L"Service Pack 1"};
    std::wstring programPath;
    std::wstring programFolder;
    uint64_t instanceHandle = 4194304;
    uint32_t lastError = 0;
    wchar_t decimalSeparator = L'.';
    std::wstring dateSeparator = L"/";
    std::wstring timeSeparator = L":";

    bool GetVersion(platform::VersionInfo& info) override {
        if (versionOk) info = version;
        return versionOk;
    }
    std::wstring ProgramPath() override { return programPath; }
    std::wstring ProgramFolder() override { return programFolder; }
    uint64_t InstanceHandle() override { return instanceHandle; }
    uint32_t LastError() override { return lastError; }
    wchar_t DecimalSeparator() override { return decimalSeparator; }
    std::wstring DateSeparator() override { return dateSeparator; }
    std::wstring TimeSeparator() override { return timeSeparator; }
};

class FakeDialogs final : public platform::Dialogs {
public:
    struct Shown {
        std::wstring text;
        std::wstring title;
        uint32_t flags = 0;
    };
    std::vector<Shown> shown;
    // Answers given in order; OK once the script runs out.
    std::deque<int32_t> answers;

    int32_t MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) override;
};

// Owns the fake concerns and installs them for its lifetime.
class FakeMachine {
public:
    FakeMachine();
    ~FakeMachine();
    FakeMachine(const FakeMachine&) = delete;
    FakeMachine& operator=(const FakeMachine&) = delete;

    FakeClock clock;
    FakeSystemInfo system;
    FakeDialogs dialogs;
    // Inventory sources (fakes/FakeInventory.h). files searches an in-memory
    // tree and keeps downloads in memory; every other file operation still
    // reaches the real file system.
    FakeRegistry registry;
    FakeFolders files;
    FakeServices services;
    FakeProcesses processes;
    FakeDialUp dialUp;
    FakeShellFolders folders;
    FakeLibraries libraries;
    FakeInternet internet;

private:
    std::unique_ptr<platform::ScopedMachine> mScope;
};

}  // namespace testing_support
