#pragma once
// Special folders through the shell's folder lookup.

#include "platform/ShellFolders.h"

namespace platform::win32 {

class Win32ShellFolders final : public ShellFolders {
public:
    int32_t GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) override;
};

}  // namespace platform::win32
