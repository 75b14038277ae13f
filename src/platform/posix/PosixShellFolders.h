#pragma once
// Special folders on Linux: where programs and their menu entries live.

#include <string>

#include "platform/ShellFolders.h"

namespace platform::posix {

class PosixShellFolders final : public ShellFolders {
public:
    using Environment = const char* (*)(const char*);
    // strRoot is put before every system path and environment is where
    // XDG_DATA_HOME and HOME come from; only tests set them.
    explicit PosixShellFolders(std::string strRoot = {}, Environment environment = nullptr);
    int32_t GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) override;

private:
    std::string mRoot;
    Environment mEnvironment;
};

}  // namespace platform::posix
