// What the Linux folder search adds to the seam's contract: links are
// listed as reparse points and never entered, names that are not UTF-8
// still list and open, and entries come in a fixed order.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using platform::FindEntry;
using platform::posix::PosixFileSystem;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// Makes an empty file named by its bytes (the test helper's wide names need a locale).
void Touch(const TempFolder& root, const std::string& name) { std::ofstream(root.Path() / name).put('x'); }

struct Listed {
    std::wstring name;
    uint32_t attributes;
};

std::vector<Listed> List(PosixFileSystem& files, const std::wstring& folder) {
    std::vector<Listed> listed;
    FindEntry entry;
    auto search = files.FindFirst(folder + L"/*", entry);
    if (!search) return listed;
    do {
        if (entry.Name != L"." && entry.Name != L"..") listed.push_back({entry.Name, entry.Attributes});
    } while (search->Next(entry));
    return listed;
}

// The walk as the inventory does it: relative lines, links not entered.
void Walk(PosixFileSystem& files, const std::wstring& folder, const std::wstring& relative,
          std::vector<std::wstring>& lines) {
    for (const Listed& item : List(files, folder)) {
        lines.push_back(relative + L"/" + item.name);
        if ((item.attributes & platform::kAttrDirectory) && !(item.attributes & platform::kAttrReparsePoint)) {
            Walk(files, folder + L"/" + item.name, relative + L"/" + item.name, lines);
        }
    }
}

TEST(PosixFileSystemTest, LinksAreListedOnceAndNeverEntered) {
    TempFolder root;
    root.Write(L"dir/f.txt", "x");
    fs::create_directory_symlink("..", root.Path() / "up");
    fs::create_directory_symlink("/", root.Path() / "top");
    fs::create_directory_symlink("dir", root.Path() / "dir/again");
    fs::create_symlink("dir/f.txt", root.Path() / "file-link");
    fs::create_symlink("nowhere", root.Path() / "dangling");

    PosixFileSystem files;
    std::vector<std::wstring> lines;
    Walk(files, root.WPath(), L"", lines);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"/dangling", L"/dir", L"/dir/again", L"/dir/f.txt", L"/file-link",
                                                L"/top", L"/up"}));

    const struct {
        const wchar_t* name;
        uint32_t attributes;
    } cases[] = {
        {L"dangling", platform::kAttrReparsePoint},
        {L"dir", platform::kAttrDirectory},
        {L"file-link", platform::kAttrReparsePoint},
        {L"top", platform::kAttrReparsePoint | platform::kAttrDirectory},
        {L"up", platform::kAttrReparsePoint | platform::kAttrDirectory},
    };
    const std::vector<Listed> listed = List(files, root.WPath());
    ASSERT_EQ(listed.size(), std::size(cases));
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].name, cases[i].name);
        EXPECT_EQ(listed[i].attributes & (platform::kAttrReparsePoint | platform::kAttrDirectory), cases[i].attributes)
            << i;
    }
    // Even asked directly, a search does not go through a link.
    FindEntry entry;
    EXPECT_EQ(files.FindFirst(root.File(L"up") + L"/*", entry), nullptr);
}

TEST(PosixFileSystemTest, NamesThatAreNotUtf8StillListAndOpen) {
    TempFolder root;
    const std::string raw = "bad\xe8name\xff";
    fs::create_directories(root.Path() / raw / "in\xe8ner");
    Touch(root,
          "\xc4\x8d"
          "esk\xc3\xbd");

    PosixFileSystem files;
    const std::vector<Listed> listed = List(files, root.WPath());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, std::wstring(L"bad") + wchar_t(0xDCE8) + L"name" + wchar_t(0xDCFF));
    EXPECT_EQ(platform::ToAnsi(listed[0].name), raw);
    EXPECT_EQ(listed[1].name, L"\u010desk\u00fd");

    std::vector<std::wstring> lines;
    Walk(files, root.WPath(), L"", lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(platform::ToAnsi(lines[1]), "/" + raw + "/in\xe8ner");
}

TEST(PosixFileSystemTest, EntriesComeInUpperCasedNameOrder) {
    TempFolder root;
    for (const char* name : {"b", "c", "B2", "a.txt", "x", "X", "\xc4\x8d", "d", ".hidden"}) Touch(root, name);
    PosixFileSystem files;
    std::vector<std::wstring> names;
    uint32_t hidden = 0;
    for (const Listed& item : List(files, root.WPath())) {
        names.push_back(item.name);
        if (item.name == L".hidden") hidden = item.attributes;
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L".hidden", L"a.txt", L"b", L"B2", L"c", L"d", L"X", L"x", L"\u010d"}));
    EXPECT_NE(hidden & platform::kAttrHidden, 0u);
}

TEST(PosixFileSystemTest, AnUnreadableFolderListsNothing) {
    TempFolder root;
    root.Write(L"locked/secret.txt", "x");
    fs::permissions(root.Path() / "locked", fs::perms::none);
    PosixFileSystem files;
    FindEntry entry;
    if (::access((root.Path() / "locked").c_str(), R_OK) == 0) GTEST_SKIP() << "this user reads every folder";
    EXPECT_EQ(files.FindFirst(root.File(L"locked") + L"/*", entry), nullptr);
}

}  // namespace
