// What the Linux folder search adds: links are listed as reparse points and
// never entered below the folder asked for, names that are not UTF-8 still
// list and open, and entries come in a fixed order. And appending when the
// kernel cuts a write short.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Listing.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

using platform::posix::PosixFileSystem;
using testing_support::Listed;
using testing_support::TempFolder;
namespace fs = std::filesystem;

// Names by their bytes: the test helper's wide names need a locale.
void Touch(const TempFolder& root, const std::string& name) { std::ofstream(root.Path() / name).put('x'); }

// Paths below the folder, each folder followed by its content; links are not
// entered. As in the inventory's walk, each search stays open while its
// subfolders are walked, so they are opened through it.
std::vector<std::wstring> Walk(PosixFileSystem& files, const std::wstring& strFolder,
                               const std::wstring& strBelow = L"") {
    std::vector<std::wstring> lines;
    platform::FindEntry entry;
    const auto search = files.FindFirst(strFolder + strBelow + L"/*", entry);
    if (!search) return lines;
    do {
        if (entry.Name == L"." || entry.Name == L"..") continue;
        const std::wstring path = strBelow + L"/" + entry.Name;
        lines.push_back(path);
        if ((entry.Attributes & platform::kAttrDirectory) && !(entry.Attributes & platform::kAttrReparsePoint)) {
            for (const std::wstring& line : Walk(files, strFolder, path)) lines.push_back(line);
        }
    } while (search->Next(entry));
    return lines;
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
    EXPECT_EQ(Walk(files, root.WPath()), (std::vector<std::wstring>{L"/dangling", L"/dir", L"/dir/again", L"/dir/f.txt",
                                                            L"/file-link", L"/top", L"/up"}));
    const uint32_t link = platform::kAttrReparsePoint, dir = platform::kAttrDirectory;
    const uint32_t expected[] = {link, dir, link, link | dir, link | dir};
    const std::vector<Listed> listed = testing_support::List(files, root.WPath() + L"/*");
    ASSERT_EQ(listed.size(), std::size(expected));
    for (size_t i = 0; i < listed.size(); ++i) EXPECT_EQ(listed[i].attributes & (link | dir), expected[i]) << i;
}

// /opt may itself be a link: the walk starts through it, but still enters no link below.
TEST(PosixFileSystemTest, AWalkWhoseRootIsALinkListsTheTarget) {
    TempFolder target, root;
    target.Write(L"Vendor/app.exe", "x");
    fs::create_directory_symlink(target.Path(), target.Path() / "Vendor/loop");
    fs::create_directory_symlink(target.Path(), root.Path() / "opt");
    PosixFileSystem files;
    EXPECT_EQ(Walk(files, root.File(L"opt")),
              (std::vector<std::wstring>{L"/Vendor", L"/Vendor/app.exe", L"/Vendor/loop"}));
}

TEST(PosixFileSystemTest, NamesThatAreNotUtf8StillListAndOpen) {
    TempFolder root;
    const std::string raw = "bad\xe8name\xff";
    fs::create_directories(root.Path() / raw / "in\xe8ner");
    Touch(root, "\xc4\x8d" "esk\xc3\xbd");
    // Two-byte letters, a three-byte one, a stray byte and a cut sequence in one name.
    Touch(root, "x\xc3\xa1\xe2\x82\xac\xe8y\xc3\xa1\xc3");

    PosixFileSystem files;
    const std::vector<std::wstring> lines = Walk(files, root.WPath());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::wstring(L"/bad") + wchar_t(0xDCE8) + L"name" + wchar_t(0xDCFF));
    EXPECT_EQ(platform::ToAnsi(lines[1]), "/" + raw + "/in\xe8ner");
    EXPECT_EQ(lines[2], std::wstring(L"/x\u00e1\u20ac") + wchar_t(0xDCE8) + L"y\u00e1" + wchar_t(0xDCC3));
    EXPECT_EQ(lines[3], L"/\u010desk\u00fd");
}

// Past the searches that keep a descriptor open, folders are opened by path.
TEST(PosixFileSystemTest, AWalkDeeperThanTheDescriptorsKeptListsEveryLevel) {
    TempFolder root;
    std::wstring path;
    for (int level = 0; level < 100; ++level) path += L"/d";
    root.Write(path.substr(1) + L"/f", "x");
    PosixFileSystem files;
    const std::vector<std::wstring> lines = Walk(files, root.WPath());
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines[99], path);
    EXPECT_EQ(lines[100], path + L"/f");
}

TEST(PosixFileSystemTest, EntriesComeInUpperCasedNameOrderAndDotFilesAreHidden) {
    TempFolder root;
    for (const char* name : {"b", "c", "B2", "a.txt", "x", "X", "\xc4\x8d", "d", ".hidden", "i", "I", "\xc4\xb1",
                             "\xc4\xb1" "b", "Ia", "s", "\xc5\xbf", "\xc3\xa1", "\xc3\x81"}) {
        Touch(root, name);
    }
    PosixFileSystem files;
    std::vector<std::wstring> names;
    for (const Listed& item : testing_support::List(files, root.WPath() + L"/*")) {
        names.push_back(item.name);
        EXPECT_EQ((item.attributes & platform::kAttrHidden) != 0, item.name == L".hidden");
    }
    // Capitals first (dotless i and long s have plain ones); equal capitals by the names themselves.
    EXPECT_EQ(names, (std::vector<std::wstring>{L".hidden", L"a.txt", L"b", L"B2", L"c", L"d", L"I", L"i", L"\u0131",
                                                L"Ia", L"\u0131b", L"s", L"\u017f", L"X", L"x", L"\u00c1", L"\u00e1",
                                                L"\u010d"}));
}

// A file size limit makes the kernel write what fits and then fail, the way
// a full disk does, without needing a full disk: a record goes in whole or not
// at all, so the next one starts a line of its own.
TEST(PosixAppendTest, AWriteCutShortTearsNoRecord) {
    platform::FileSystem& files = *platform::RealMachine().files;
    TempFolder folder;
    const std::wstring file = folder.File(L"log.txt");
    ASSERT_TRUE(files.AppendText(file, L"first\r\n"));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit small{.rlim_cur = 32, .rlim_max = old.rlim_max};
    // Past the limit the kernel would end the process; ignored, the write fails.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    // Nothing asserted while the limit holds: test output may go to a file.
    const bool longRecord = files.AppendText(file, std::wstring(40, L'x') + L"\r\n");
    const bool nextRecord = files.AppendText(file, L"next\r\n");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(longRecord);
    EXPECT_TRUE(nextRecord);
    EXPECT_EQ(folder.Read(L"log.txt"), "first\r\nnext\r\n");
}

}  // namespace
