#include "platform/posix/PosixShellFolders.h"

#include <cstdlib>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {
// What the folder lookup answers for a folder id it does not know (E_INVALIDARG).
constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057u);
// ... and for a known one that has no path here (E_FAIL).
constexpr int32_t kFail = static_cast<int32_t>(0x80004005u);

const char* SystemEnvironment(const char* name) { return std::getenv(name); }
}  // namespace

PosixShellFolders::PosixShellFolders(std::string strRoot, Environment environment)
    : mRoot(std::move(strRoot)), mEnvironment(environment != nullptr ? environment : &SystemEnvironment) {}

int32_t PosixShellFolders::GetFolderPath(int32_t lngFolder, int32_t, std::wstring& strPath) {
    strPath.clear();
    std::string path;
    switch (lngFolder) {
        case kFolderProgramFiles:
            path = mRoot + "/opt";
            break;
        case kFolderCommonPrograms:
            path = mRoot + "/usr/share/applications";
            break;
        case kFolderPrograms: {
            // The user's own menu entries (XDG base directories; a relative
            // XDG_DATA_HOME is to be ignored).
            const char* dataHome = mEnvironment("XDG_DATA_HOME");
            if (dataHome != nullptr && dataHome[0] == '/') {
                path = std::string(dataHome) + "/applications";
            } else {
                const char* home = mEnvironment("HOME");
                if (home == nullptr || home[0] != '/') return kFail;
                path = std::string(home) + "/.local/share/applications";
            }
            break;
        }
        case kFolderProgramFilesX86:
            // One program-files folder only.
            return kFail;
        default:
            return kInvalidArgument;
    }
    strPath = FromNativeName(path);
    return 0;
}

}  // namespace platform::posix
