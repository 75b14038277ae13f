// A walk over a real tree through the seam, as the inventory walks: the
// searches below the root use the names the search returned.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace {

void Walk(const std::wstring& folder, const std::wstring& relative, std::vector<std::wstring>& lines) {
    platform::FindEntry entry;
    auto search = platform::RealMachine().files->FindFirst(folder + platform::PathSep() + L"*", entry);
    if (!search) return;
    do {
        if (entry.Name == L"." || entry.Name == L"..") continue;
        const std::wstring line = relative + platform::PathSep() + entry.Name;
        lines.push_back(line);
        if ((entry.Attributes & platform::kAttrDirectory) && !(entry.Attributes & platform::kAttrReparsePoint)) {
            Walk(folder + platform::PathSep() + entry.Name, line, lines);
        }
    } while (search->Next(entry));
}

TEST(FolderWalkTest, EveryEntryOnceEachFolderFollowedByItsContent) {
    testing_support::TempFolder root;
    const std::wstring sep = platform::PathSep();
    std::wstring czech = L"Slo\u017eka \u010d";
    if (platform::FromAnsi(platform::ToAnsi(czech)) != czech) czech = L"Folder c";
    auto& files = *platform::RealMachine().files;
    ASSERT_TRUE(files.CreateFolder(root.File(L"S")));
    ASSERT_TRUE(files.CreateFolder(root.File(L"S") + sep + L"T"));
    ASSERT_TRUE(files.CreateFolder(root.WPath() + sep + czech));
    for (const std::wstring& file :
         {root.File(L"a.txt"), root.File(L"S") + sep + L"b.txt", root.File(L"S") + sep + L"T" + sep + L"c.txt",
          root.WPath() + sep + czech + sep + L"d.txt"}) {
        ASSERT_TRUE(files.AppendText(file, L"x"));
    }

    std::vector<std::wstring> lines;
    Walk(root.WPath(), L"", lines);
    std::vector<std::wstring> sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::wstring> expected = {sep + L"a.txt",
                                          sep + L"S",
                                          sep + L"S" + sep + L"b.txt",
                                          sep + L"S" + sep + L"T",
                                          sep + L"S" + sep + L"T" + sep + L"c.txt",
                                          sep + czech,
                                          sep + czech + sep + L"d.txt"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    // Depth first: each folder's entries come right behind it.
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t cut = lines[i].rfind(sep[0]);
        if (cut == 0) continue;
        const std::wstring parent = lines[i].substr(0, cut);
        const auto at = std::find(lines.begin(), lines.end(), parent);
        ASSERT_NE(at, lines.end());
        for (auto between = at + 1; between != lines.begin() + static_cast<std::ptrdiff_t>(i); ++between) {
            EXPECT_EQ(between->rfind(parent + sep, 0), 0u) << "a stranger inside a folder's block";
        }
    }
}

}  // namespace
