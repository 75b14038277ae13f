#pragma once
// Files and folders through the ANSI file calls.

#include <cstdint>

#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<FolderSearch> FindFirst(std::wstring_view strPattern, FindEntry& first) override;
    bool CreateFolder(std::wstring_view strPath) override;
    bool FileExists(std::wstring_view strPath) override;
    bool FolderExists(std::wstring_view strPath) override;
    bool DeleteFile(std::wstring_view strPath) override;
    bool ReadFile(std::wstring_view strPath, std::string& bytes) override;
    // The text goes in whole or not at all: what a failed write (a full disk)
    // left of it is cut off again.
    bool AppendText(std::wstring_view strPath, std::wstring_view strText) override;

protected:
    // One WriteFile call on an open file (a HANDLE); a test puts a full disk here.
    virtual bool WritePiece(void* hFile, const char* data, uint32_t lngBytes, uint32_t& lngWritten);
};

}  // namespace platform::win32
