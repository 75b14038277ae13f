// The real file system of the build, through the seam only: the same cases
// must pass on Windows and on Linux.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace {

using platform::FindEntry;
using testing_support::TempFolder;

platform::FileSystem& Files() { return *platform::RealMachine().files; }

std::wstring Join(std::wstring_view strFolder, std::wstring_view strName) {
    return std::wstring(strFolder) + platform::PathSep() + std::wstring(strName);
}

// Every entry of a search by name (with the times it came back) and attributes;
// "." and ".." left out.
struct Listing {
    std::map<std::wstring, int> counts;
    std::map<std::wstring, uint32_t> attributes;
    bool found = false;
};

Listing List(std::wstring_view strPattern) {
    Listing listing;
    FindEntry entry;
    auto search = Files().FindFirst(strPattern, entry);
    if (!search) return listing;
    listing.found = true;
    do {
        if (entry.Name == L"." || entry.Name == L"..") continue;
        ++listing.counts[entry.Name];
        listing.attributes[entry.Name] = entry.Attributes;
    } while (search->Next(entry));
    return listing;
}

std::set<std::wstring> Names(const Listing& listing) {
    std::set<std::wstring> names;
    for (const auto& [name, count] : listing.counts) names.insert(name);
    return names;
}

// True when the text survives the round trip through the ANSI code page.
bool Survives(std::wstring_view text) { return platform::FromAnsi(platform::ToAnsi(text)) == text; }

class FileSystemTest : public ::testing::Test {
protected:
    TempFolder mFolder;
};

TEST_F(FileSystemTest, FindFirstListsFilesAndFoldersOnceEach) {
    mFolder.Write(L"a.txt", "a");
    mFolder.Write(L"b.bin", "bb");
    mFolder.Write(L"sub/inner.txt", "inner");

    const Listing listing = List(Join(mFolder.WPath(), L"*"));
    ASSERT_TRUE(listing.found);
    EXPECT_EQ(Names(listing), (std::set<std::wstring>{L"a.txt", L"b.bin", L"sub"}));
    for (const auto& [name, count] : listing.counts) EXPECT_EQ(count, 1) << std::string(name.begin(), name.end());

    EXPECT_NE(listing.attributes.at(L"sub") & platform::kAttrDirectory, 0u);
    EXPECT_EQ(listing.attributes.at(L"a.txt") & platform::kAttrDirectory, 0u);
    EXPECT_EQ(listing.attributes.at(L"b.bin") & platform::kAttrDirectory, 0u);
}

TEST_F(FileSystemTest, FindFirstMatchesWildcards) {
    mFolder.Write(L"a.txt", "");
    mFolder.Write(L"b.bin", "");
    mFolder.Write(L"notes.TXT", "");
    mFolder.Write(L"sub/inner.txt", "");

    const struct {
        const wchar_t* pattern;
        std::set<std::wstring> names;
    } cases[] = {
        {L"*.*", {L"a.txt", L"b.bin", L"notes.TXT", L"sub"}},
        {L"*.txt", {L"a.txt", L"notes.TXT"}},
        {L"b.*", {L"b.bin"}},
        {L"?.bin", {L"b.bin"}},
        {L"sub", {L"sub"}},
    };
    for (const auto& c : cases) {
        const std::wstring pattern(c.pattern);
        EXPECT_EQ(Names(List(Join(mFolder.WPath(), pattern))), c.names)
            << std::string(pattern.begin(), pattern.end());
    }
}

TEST_F(FileSystemTest, FindFirstGivesNoSearchWhenNothingCanBeListed) {
    mFolder.Write(L"a.txt", "a");
    FindEntry entry;
    EXPECT_EQ(Files().FindFirst(Join(mFolder.File(L"missing"), L"*"), entry), nullptr);
    EXPECT_EQ(Files().FindFirst(Join(mFolder.WPath(), L"*.none"), entry), nullptr);
}

TEST_F(FileSystemTest, FindFirstConvertsNamesFromTheAnsiCodePage) {
    const std::wstring name = L"caf\u00e9.txt";
    if (!Survives(name)) GTEST_SKIP() << "the ANSI code page has no \u00e9";
    // Made through the seam: the test helper's wide paths depend on the C library locale.
    ASSERT_TRUE(Files().AppendText(Join(mFolder.WPath(), name), L"x"));
    EXPECT_EQ(Names(List(Join(mFolder.WPath(), L"*"))), std::set<std::wstring>{name});
}

TEST_F(FileSystemTest, CreateFolderOnlyOnce) {
    const std::wstring folder = mFolder.File(L"made");
    EXPECT_FALSE(Files().FolderExists(folder));
    EXPECT_TRUE(Files().CreateFolder(folder));
    EXPECT_TRUE(Files().FolderExists(folder));
    EXPECT_FALSE(Files().CreateFolder(folder));
    // One level at a time: a missing parent is not made.
    EXPECT_FALSE(Files().CreateFolder(Join(mFolder.File(L"no-parent"), L"child")));
    EXPECT_FALSE(Files().FolderExists(mFolder.File(L"no-parent")));
}

TEST_F(FileSystemTest, FileAndFolderExistTellThemApart) {
    mFolder.Write(L"file.txt", "x");
    mFolder.Write(L"folder/inside.txt", "x");
    const struct {
        const wchar_t* name;
        bool file;
        bool folder;
    } cases[] = {
        {L"file.txt", true, false},
        {L"folder", false, true},
        {L"missing.txt", false, false},
    };
    for (const auto& c : cases) {
        const std::wstring path = mFolder.File(c.name);
        EXPECT_EQ(Files().FileExists(path), c.file) << std::string(path.begin(), path.end());
        EXPECT_EQ(Files().FolderExists(path), c.folder) << std::string(path.begin(), path.end());
    }
}

TEST_F(FileSystemTest, DeleteFileRemovesTheFileOnce) {
    mFolder.Write(L"gone.txt", "x");
    const std::wstring path = mFolder.File(L"gone.txt");
    EXPECT_TRUE(Files().DeleteFile(path));
    EXPECT_FALSE(Files().FileExists(path));
    EXPECT_FALSE(Files().DeleteFile(path));
}

TEST_F(FileSystemTest, ReadFileGivesEveryByte) {
    const std::string binary("a\0b\xff\r\n\x80\0", 8);
    // Larger than any single buffer an implementation is likely to use.
    std::string large(300 * 1024 + 7, '\0');
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    const struct {
        const wchar_t* name;
        std::string bytes;
    } cases[] = {
        {L"binary.dat", binary},
        {L"empty.dat", std::string()},
        {L"large.dat", large},
    };
    for (const auto& c : cases) {
        mFolder.Write(c.name, c.bytes);
        std::string read = "stale";
        ASSERT_TRUE(Files().ReadFile(mFolder.File(c.name), read));
        EXPECT_EQ(read.size(), c.bytes.size());
        EXPECT_TRUE(read == c.bytes);
    }
}

TEST_F(FileSystemTest, ReadFileFailsForAMissingFile) {
    std::string read;
    EXPECT_FALSE(Files().ReadFile(mFolder.File(L"missing.dat"), read));
}

TEST_F(FileSystemTest, AppendTextCreatesThenAppends) {
    const std::wstring path = mFolder.File(L"log.txt");
    EXPECT_TRUE(Files().AppendText(path, L"first line\r\n"));
    EXPECT_TRUE(Files().AppendText(path, L"second"));
    EXPECT_EQ(mFolder.Read(L"log.txt"), "first line\r\nsecond");
}

TEST_F(FileSystemTest, AppendTextWritesTheAnsiCodePage) {
    const std::wstring czech = L"P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 \u00e9";
    const std::wstring path = mFolder.File(L"czech.txt");
    EXPECT_TRUE(Files().AppendText(path, czech));
    const std::string bytes = mFolder.Read(L"czech.txt");
    EXPECT_EQ(bytes, platform::ToAnsi(czech));
    // "é" is in every code page the program meets; it must come back as itself.
    EXPECT_NE(platform::FromAnsi(bytes).find(L'\u00e9'), std::wstring::npos);
}

TEST_F(FileSystemTest, AppendTextFailsInAMissingFolder) {
    const std::wstring path = Join(mFolder.File(L"missing"), L"log.txt");
    EXPECT_FALSE(Files().AppendText(path, L"text"));
    EXPECT_FALSE(Files().FileExists(path));
}

}  // namespace
