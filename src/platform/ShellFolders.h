#pragma once
// Special folders concern.

#include <cstdint>
#include <string>

namespace platform {

inline constexpr int32_t kFolderPrograms = 2;          // per-user Start-menu Programs
inline constexpr int32_t kFolderCommonPrograms = 23;   // common Start-menu Programs
inline constexpr int32_t kFolderProgramFiles = 38;
inline constexpr int32_t kFolderProgramFilesX86 = 42;

class ShellFolders {
public:
    virtual ~ShellFolders() = default;
    // SHGetFolderPathA with owner 0 and token -1: 0 = success and the path in
    // strPath (cut at NUL); anything else = no path.
    virtual int32_t GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) = 0;
};

}  // namespace platform
