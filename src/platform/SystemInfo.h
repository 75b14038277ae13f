#pragma once
// Facts about the running program and system: version, program path,
// instance handle, last error code, locale separators.

#include <cstdint>
#include <string>

namespace platform {

// The fields of the ANSI version-information record that the program reads.
struct VersionInfo {
    uint32_t MajorVersion = 0;
    uint32_t MinorVersion = 0;
    uint32_t BuildNumber = 0;
    uint32_t PlatformId = 0;
    std::wstring CSDVersion;  // service-pack text, cut at its NUL
};

inline constexpr uint32_t kPlatformWin32NT = 2;
inline constexpr uint32_t kPlatformUnix = 4;

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // GetVersionExA; false when the query fails (the record is then untouched).
    virtual bool GetVersion(VersionInfo& info) = 0;
    // Full path of the program's executable.
    virtual std::wstring ProgramPath() = 0;
    // Folder of the executable, as the system reports it (no trailing separator
    // unless it is a root).
    virtual std::wstring ProgramFolder() = 0;
    // The program's instance handle (the process id where there is none).
    virtual uint64_t InstanceHandle() = 0;
    // The last system error code of the calling thread.
    virtual uint32_t LastError() = 0;
    // Locale separators: decimal mark, date and time delimiters.
    virtual wchar_t DecimalSeparator() = 0;
    virtual std::wstring DateSeparator() = 0;
    virtual std::wstring TimeSeparator() = 0;
};

}  // namespace platform
