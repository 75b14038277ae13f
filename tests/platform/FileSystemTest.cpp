// The real file system of the build through the seam: the same cases must
// pass on Windows and on Linux.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Listing.h"

namespace {

using testing_support::TempFolder;

platform::FileSystem& Files() { return *platform::RealMachine().files; }

std::wstring Join(std::wstring_view strFolder, std::wstring_view strName) {
    return std::wstring(strFolder) + platform::PathSep() + std::wstring(strName);
}

std::vector<std::wstring> SortedNames(const std::wstring& strPattern) {
    std::vector<std::wstring> names;
    for (const auto& item : testing_support::List(Files(), strPattern)) names.push_back(item.name);
    std::sort(names.begin(), names.end());
    return names;
}

bool Survives(std::wstring_view text) { return platform::FromAnsi(platform::ToAnsi(text)) == text; }

TEST(FileSystemTest, FindFirstListsEachMatchOnce) {
    TempFolder folder;
    for (const wchar_t* name : {L"a.txt", L"b.bin", L"notes.TXT", L"sub/inner.txt"}) folder.Write(name, "x");
    // A folder name that needs the ANSI code page, in whichever code page this is.
    std::wstring czech = L"Slo\u017eka \u010d";
    if (!Survives(czech)) czech = Survives(L"Caf\u00e9") ? L"Caf\u00e9" : L"Folder c";
    ASSERT_TRUE(Files().CreateFolder(Join(folder.WPath(), czech)));
    ASSERT_TRUE(Files().AppendText(Join(folder.WPath(), Join(czech, L"d.txt")), L"x"));
    const struct {
        std::wstring pattern;
        std::vector<std::wstring> names;  // none: no search at all
    } cases[] = {
        {L"*", {czech, L"a.txt", L"b.bin", L"notes.TXT", L"sub"}},
        {L"*.*", {czech, L"a.txt", L"b.bin", L"notes.TXT", L"sub"}},
        {Join(L"sub", L"*"), {L"inner.txt"}},
        {Join(czech, L"*"), {L"d.txt"}},
        {L"*.txt", {L"a.txt", L"notes.TXT"}},
        {L"b.*", {L"b.bin"}},
        {L"?.bin", {L"b.bin"}},
        {L"sub", {L"sub"}},
        {L"*.none", {}},
        {Join(L"missing", L"*"), {}},
    };
    for (const auto& c : cases) {
        const std::wstring pattern = Join(folder.WPath(), c.pattern);
        EXPECT_EQ(SortedNames(pattern), c.names) << c.pattern;
        platform::FindEntry entry;
        if (c.names.empty()) {
            EXPECT_EQ(Files().FindFirst(pattern, entry), nullptr) << c.pattern;
        }
    }
    for (const auto& item : testing_support::List(Files(), Join(folder.WPath(), L"*"))) {
        EXPECT_EQ((item.attributes & platform::kAttrDirectory) != 0, item.name == L"sub" || item.name == czech);
    }
}

TEST(FileSystemTest, CreateTestAndDeleteOnlyWhatIsThere) {
    TempFolder folder;
    folder.Write(L"file.txt", "x");
    const std::wstring made = folder.File(L"made");
    EXPECT_TRUE(Files().CreateFolder(made));
    EXPECT_FALSE(Files().CreateFolder(made));
    // One level at a time: a missing parent is not made.
    EXPECT_FALSE(Files().CreateFolder(Join(folder.File(L"no-parent"), L"child")));
    const struct {
        const wchar_t* name;
        bool file, folder;
    } cases[] = {{L"file.txt", true, false}, {L"made", false, true}, {L"no-parent", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(Files().FileExists(folder.File(c.name)), c.file) << c.name;
        EXPECT_EQ(Files().FolderExists(folder.File(c.name)), c.folder) << c.name;
    }
    EXPECT_TRUE(Files().DeleteFile(folder.File(L"file.txt")));
    EXPECT_FALSE(Files().FileExists(folder.File(L"file.txt")));
    EXPECT_FALSE(Files().DeleteFile(folder.File(L"file.txt")));
}

TEST(FileSystemTest, ReadFileGivesEveryByte) {
    TempFolder folder;
    // Larger than any single buffer an implementation is likely to use.
    std::string large(300 * 1024 + 7, '\0');
    for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
    for (const std::string& bytes : {std::string("a\0b\xff\r\n\x80\0", 8), std::string(), large}) {
        folder.Write(L"f.dat", bytes);
        std::string read = "stale";
        ASSERT_TRUE(Files().ReadFile(folder.File(L"f.dat"), read));
        EXPECT_TRUE(read == bytes) << bytes.size();
    }
    std::string read;
    EXPECT_FALSE(Files().ReadFile(folder.File(L"missing.dat"), read));
}

TEST(FileSystemTest, AppendTextCreatesThenAppendsInTheAnsiCodePage) {
    TempFolder folder;
    const std::wstring czech = L"P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 \u00e9";
    EXPECT_TRUE(Files().AppendText(folder.File(L"log.txt"), L"first line\r\n"));
    EXPECT_TRUE(Files().AppendText(folder.File(L"log.txt"), czech));
    const std::string bytes = folder.Read(L"log.txt");
    EXPECT_EQ(bytes, "first line\r\n" + platform::ToAnsi(czech));
    // "é" is in every code page the program meets; it must come back as itself.
    EXPECT_NE(platform::FromAnsi(bytes).find(L'\u00e9'), std::wstring::npos);

    const std::wstring lost = Join(folder.File(L"missing"), L"log.txt");
    EXPECT_FALSE(Files().AppendText(lost, L"text"));
    EXPECT_FALSE(Files().FileExists(lost));
}

}  // namespace
