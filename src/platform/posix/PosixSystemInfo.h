#pragma once

#include "platform/SystemInfo.h"

namespace platform::posix {

class PosixSystemInfo final : public SystemInfo {
public:
    bool GetVersion(VersionInfo& info) override;
    std::wstring ProgramPath() override;
    std::wstring ProgramFolder() override;
    uint64_t InstanceHandle() override;
    uint32_t LastError() override;
    wchar_t DecimalSeparator() override { return L'.'; }
    std::wstring DateSeparator() override { return L"/"; }
    std::wstring TimeSeparator() override { return L":"; }

private:
    static std::wstring ReadProgramPath();
};

// Pieces of the version facts, separate so that they can be checked on any text.
// The first three numbers of a kernel release ("6.1.0-18-amd64" -> 6, 1, 0).
void ParseKernelRelease(const std::string& release, VersionInfo& info);
// PRETTY_NAME of an os-release text, its quotes removed; empty when absent.
std::string PrettyName(const std::string& osRelease);

}  // namespace platform::posix
