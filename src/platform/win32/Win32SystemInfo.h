#pragma once
// Version, program path and locale facts from the ANSI system calls.

#include "platform/SystemInfo.h"

namespace platform::win32 {

class Win32SystemInfo final : public SystemInfo {
public:
    bool GetVersion(VersionInfo& info) override;
    std::wstring ProgramPath() override;
    // The executable's folder without its trailing "\", except for a drive
    // root, which keeps it: a program in C:\ gives "C:\".
    std::wstring ProgramFolder() override;
    uint64_t InstanceHandle() override;
    uint32_t LastError() override;
    wchar_t DecimalSeparator() override;
    std::wstring DateSeparator() override;
    std::wstring TimeSeparator() override;
};

}  // namespace platform::win32
