#pragma once
// Files and folders through the ANSI file calls.

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<FolderSearch> FindFirst(std::wstring_view strPattern, FindEntry& first) override;
    bool CreateFolder(std::wstring_view strPath) override;
    bool FileExists(std::wstring_view strPath) override;
    bool FolderExists(std::wstring_view strPath) override;
    bool DeleteFile(std::wstring_view strPath) override;
    bool ReadFile(std::wstring_view strPath, std::string& bytes) override;
    bool AppendText(std::wstring_view strPath, std::wstring_view strText) override;
};

}  // namespace platform::win32
