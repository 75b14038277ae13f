#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/posix/PosixShellFolders.h"

namespace {

using platform::posix::PosixShellFolders;

std::map<std::string, std::string> gEnvironment;

const char* FakeEnvironment(const char* name) {
    const auto found = gEnvironment.find(name);
    return found == gEnvironment.end() ? nullptr : found->second.c_str();
}

TEST(PosixShellFoldersTest, FolderIdsMapToTheLinuxPlaces) {
    const struct {
        int32_t folder;
        std::map<std::string, std::string> environment;
        bool found;
        std::wstring path;
    } cases[] = {
        {platform::kFolderProgramFiles, {}, true, L"/root/opt"},
        {platform::kFolderCommonPrograms, {}, true, L"/root/usr/share/applications"},
        {platform::kFolderPrograms, {{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}}, true, L"/data/applications"},
        {platform::kFolderPrograms,
         {{"XDG_DATA_HOME", "relative"}, {"HOME", "/home/u"}},
         true,
         L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {{"HOME", "/home/u"}}, true, L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {}, false, L""},
        {platform::kFolderProgramFilesX86, {}, false, L""},
        {0x7F, {}, false, L""},
    };
    for (const auto& c : cases) {
        gEnvironment = c.environment;
        PosixShellFolders folders("/root", &FakeEnvironment);
        std::wstring path = L"stale";
        const int32_t result = folders.GetFolderPath(c.folder, 0, path);
        EXPECT_EQ(result == 0, c.found) << c.folder;
        EXPECT_EQ(path, c.path) << c.folder;
    }
}

}  // namespace
