// The Linux INI reader and its cache, beyond what ProfileTest checks on every build.
#include "platform/posix/IniFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <tuple>

#include "base/TestSupport.h"
#include "fakes/TempFolder.h"
#include "platform/posix/PosixProfile.h"

namespace {

using namespace std::string_literals;
using platform::posix::IniCache;
using platform::posix::IniFile;

std::optional<std::wstring> Find(const IniFile& ini, std::wstring_view strSection, std::wstring_view strKey) {
    const std::wstring* value = ini.Find(strSection, strKey);
    return value ? std::optional<std::wstring>(*value) : std::nullopt;
}

TEST(IniFileTest, ParsesTheLinesWindowsAccepts) {
    const IniFile ini(test_support::Golden("platform/lines.ini"));
    const std::tuple<std::wstring, std::wstring, std::optional<std::wstring>> cases[] = {
        {L"\u010de\u0161tina", L"\u017dlu\u0165ou\u010dk\u00fd", L"k\u016f\u0148"},  // byte-order mark skipped
        {L"\u010cE\u0160TINA", L"\u017dLU\u0164OU\u010cK\u00dd", L"k\u016f\u0148"},  // Czech letters fold
        {L"\u010ce\u0161tina", L";k", std::nullopt},
        {L"\u010ce\u0161tina", L"#k", L"hash"},
        {L"\u010ce\u0161tina", L"late", std::nullopt},  // repeated section ignored
        {L"open", L"k", L"o"},                          // "[" without "]" runs to the line end
        {L"\u010cESK\u00c1", L"k", L"\u010d"},          // not UTF-8: Windows-1250
        {L"nul", L"v", L"ab\0cd"s},                     // NUL kept in the file's text
        {L"nul", L"n", std::nullopt},
        {L"nul\0x"s, L"v\0y"s, L"ab\0cd"s},          // lookups cut at NUL
        {L"", L"k", std::nullopt},                      // "[ ]" is never found
    };
    for (const auto& [section, key, value] : cases) EXPECT_EQ(Find(ini, section, key), value) << section << L"/" << key;
}

// Hostile bytes are the fuzz target's; a line of this length it never builds.
TEST(IniFileTest, ALongLineStaysWhole) {
    const std::string longLine(10 << 20, 'x');
    const IniFile ini("[A]\nlong=" + longLine + "\n[End]\nk=v\n");
    EXPECT_EQ(ini.Find(L"A", L"long")->size(), longLine.size());
    EXPECT_EQ(Find(ini, L"End", L"k"), L"v");
}

TEST(IniCacheTest, ParsesAgainOnlyWhenSizeOrTimeChanges) {
    const testing_support::TempFolder folder;
    const std::string path = (folder.Path() / "a.ini").string();
    // Exact modification times: changes are neither hidden by nor only seen through the time granularity.
    const auto write = [&](const char* bytes, long nanoseconds) {
        folder.Write(L"a.ini", bytes);
        const timespec times[2] = {{1700000000, 0}, {1700000000, nanoseconds}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    IniCache cache;
    write("[S]\nk=1\n", 0);
    const auto first = cache.Load(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(cache.Load(path), first);
    write("[S]\nk=2\n", 0);  // same size, same time: not looked at
    EXPECT_EQ(cache.Load(path), first);
    write("[S]\nk=2\n", 1);  // one nanosecond later
    EXPECT_EQ(*cache.Load(path)->Find(L"S", L"k"), L"2");
    write("[S]\nk=33\n", 1);
    EXPECT_EQ(*cache.Load(path)->Find(L"S", L"k"), L"33");
    EXPECT_EQ(*first->Find(L"S", L"k"), L"1");  // held objects stay as they were
    EXPECT_FALSE(cache.Load(""));
}

TEST(IniCacheTest, DropsTheLeastRecentlyUsed) {
    const testing_support::TempFolder folder;
    for (const wchar_t* name : {L"a", L"b", L"c"}) folder.Write(name, "[S]\nk=v\n");
    IniCache cache(2);
    auto load = [&](const char* name) { return cache.Load((folder.Path() / name).string()); };
    const auto a = load("a"), b = load("b");
    EXPECT_EQ(load("a"), a);
    load("c");
    EXPECT_EQ(load("a"), a);
    EXPECT_NE(load("b"), b);
}

// A load reads the file as it was when it began, whatever replaces it meanwhile.
TEST(PosixProfileTest, ASnapshotKeepsTheFileAsItWas) {
    const testing_support::TempFolder folder;
    folder.Write(L"a.ini", "[S]\nk=1\n");
    platform::posix::PosixProfile profile;
    const auto snapshot = profile.Snapshot(folder.File(L"a.ini"));
    folder.Write(L"a.ini", "[S]\nk=22\n");
    std::wstring value;
    snapshot->GetString(L"S", L"k", L"", 256, value);
    EXPECT_EQ(value, L"1");
    profile.GetString(L"S", L"k", L"", 256, folder.File(L"a.ini"), value);
    EXPECT_EQ(value, L"22");
}

TEST(PosixProfileTest, CutsAtNulAndTreatsTheDefaultLikeAValue) {
    const testing_support::TempFolder folder;
    folder.Write(L"p.ini", "[S]\nnul=ab\0cd\n"s);
    const wchar_t* const cases[][3] = {
        {L"nul", L"", L"ab"}, {L"none", L"   ", L""}, {L"none", L"'x' ", L"x"}, {L"none", L"\"x\"\t", L"\"x\"\t"}};
    for (const auto& [key, fallback, expected] : cases) {
        std::wstring value;
        platform::posix::PosixProfile().GetString(L"S", key, fallback, 64, folder.File(L"p.ini"), value);
        EXPECT_EQ(value, expected) << key << L" " << fallback;
    }
}

}  // namespace
