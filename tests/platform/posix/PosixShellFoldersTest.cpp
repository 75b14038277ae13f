#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/posix/PosixShellFolders.h"

namespace {

std::map<std::string, std::string> gEnvironment;

const char* FakeEnvironment(const char* name) {
    const auto found = gEnvironment.find(name);
    return found == gEnvironment.end() ? nullptr : found->second.c_str();
}

TEST(PosixShellFoldersTest, FolderIdsMapToTheLinuxPlaces) {
    const std::pair<std::string, std::string> home{"HOME", "/home/u"};
    const struct {
        int32_t folder;
        std::map<std::string, std::string> environment;
        std::wstring path;  // empty: not found
    } cases[] = {
        {platform::kFolderProgramFiles, {}, L"/root/opt"},
        {platform::kFolderCommonPrograms, {}, L"/root/usr/share/applications"},
        {platform::kFolderPrograms, {{"XDG_DATA_HOME", "/data"}, home}, L"/data/applications"},
        {platform::kFolderPrograms, {{"XDG_DATA_HOME", "relative"}, home}, L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {home}, L"/home/u/.local/share/applications"},
        {platform::kFolderPrograms, {}, L""},
        {platform::kFolderProgramFilesX86, {}, L""},
        {0x7F, {}, L""},
    };
    for (const auto& c : cases) {
        gEnvironment = c.environment;
        std::wstring path = L"stale";
        platform::posix::PosixShellFolders folders("/root", &FakeEnvironment);
        const int32_t result = folders.GetFolderPath(c.folder, 0, path);
        EXPECT_EQ(result == 0, !c.path.empty()) << c.folder;
        EXPECT_EQ(path, c.path) << c.folder;
    }
}

}  // namespace
