// Runs on every build against the real machine, so it asserts only what the
// Windows profile calls do as well.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "base/TestSupport.h"
#include "base/Text.h"
#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace {

// A value as one call reads it, or through a snapshot of the file.
std::wstring Get(const std::wstring& strFile, std::wstring_view strSection, std::wstring_view strKey,
                 std::wstring_view strDefault = L"<none>", uint32_t lngBufferChars = 256, bool blnSnapshot = false) {
    std::wstring value = L"stale";
    platform::Profile& profile = *platform::RealMachine().profile;
    const uint32_t copied =
        blnSnapshot ? profile.Snapshot(strFile)->GetString(strSection, strKey, strDefault, lngBufferChars, value)
                    : profile.GetString(strSection, strKey, strDefault, lngBufferChars, strFile, value);
    EXPECT_EQ(copied, value.size());
    return value;
}

TEST(ProfileTest, ReadsValuesTheWindowsWay) {
    const testing_support::TempFolder folder;
    folder.Write(L"a.ini", test_support::Golden("platform/profile.ini"));
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, uint32_t, const wchar_t*> cases[] = {
        {L"Main", L"Key1", L"", 256, L"value one"},       {L"mAIN", L"KEY1", L"", 256, L"value one"},
        {L" Main\t", L"\tkey1 ", L"", 256, L"value one"}, {L"Main", L"tabbed", L"", 256, L"x"},
        {L"Main", L"dq", L"", 256, L"quoted"},            {L"Main", L"sq", L"", 256, L"single"},
        {L"Main", L"mixed", L"", 256, L"\"mismatch'"},    {L"Main", L"lone", L"", 256, L"\""},
        {L"Main", L"inner", L"", 256, L" a "},            {L"Main", L"emptyq", L"-", 256, L""},
        {L"Main", L"nested", L"", 256, L"a\"b"},          {L"Main", L"blank", L"-", 256, L""},
        {L"Main", L"text", L"", 256, L"a;b#c=d"},         {L"Main", L"noequals", L"-", 256, L"-"},
        {L"Main", L"dup", L"", 256, L"first"},            {L"Main", L"late", L"-", 256, L"-"},
        {L"Main", L"before", L"-", 256, L"-"},            {L"Spaced", L"a", L"", 256, L"1"},
        {L"x]y", L"b", L"", 256, L"2"},                   {L"x", L"b", L"-", 256, L"-"},
        {L"Indented", L"c", L"", 256, L"3"},              {L"Missing", L"a", L"def  ", 256, L"def"},
        {L"Main", L"missing", L"  def", 256, L"  def"},   {L"Main", L"Key1", L"", 0, L""},
        {L"Main", L"Key1", L"", 1, L""},                  {L"Main", L"Key1", L"", 3, L"va"},
        {L"Main", L"Key1", L"", 10, L"value one"},        {L"Main", L"missing", L"default", 3, L"de"},
    };
    for (const auto& [section, key, fallback, size, expected] : cases) {
        for (const bool snapshot : {false, true}) {
            EXPECT_EQ(Get(folder.File(L"a.ini"), section, key, fallback, size, snapshot), expected)
                << "[" << section << "] " << key << " size " << size << " snapshot " << snapshot;
        }
    }
}

TEST(ProfileTest, AcceptsEveryLineEndAndGivesTheDefaultWithoutAFile) {
    const testing_support::TempFolder folder;
    const std::wstring file = folder.File(L"a.ini");
    EXPECT_EQ(Get(file, L"S", L"k"), L"<none>");
    // Each file has a new size, so a change cannot hide behind a coarse file time.
    for (const char* bytes :
         {"", "[S]\nk=1\ny=2", "[S]\r\nk=1\r\ny=2\r\n", "[S]\rk=1\ry=2\r", "[S]\r\nk=1\ny=2\r\n\r\n"}) {
        folder.Write(L"a.ini", bytes);
        EXPECT_EQ(Get(file, L"S", L"k") + Get(file, L"S", L"y"), *bytes ? L"12" : L"<none><none>") << bytes;
    }
    std::filesystem::remove(folder.Path() / "a.ini");
    EXPECT_EQ(Get(file, L"S", L"k"), L"<none>");
    std::filesystem::create_directory(folder.Path() / "a.ini");
    EXPECT_EQ(Get(file, L"S", L"k"), L"<none>");
}

TEST(ProfileTest, DecodesTheAnsiCodePage) {
    const std::wstring text = L"\u017dlut\u00e9 \u00c9";  // in Windows-1250 and -1252 alike
    if (platform::FromAnsi(platform::ToAnsi(text)) != text) GTEST_SKIP() << "not in this code page";
    const testing_support::TempFolder folder;
    folder.Write(L"a.ini", "[S]\r\nk=" + platform::ToAnsi(text) + "\r\n");
    EXPECT_EQ(Get(folder.File(L"a.ini"), L"S", L"k"), text);
}

std::set<std::wstring> Upper(const std::vector<std::wstring>& names) {
    std::set<std::wstring> result;
    for (const auto& name : names) result.insert(base::UCase(name));
    return result;
}

// The lists must name everything a lookup finds; the loader reads no other keys.
TEST(ProfileTest, ListsTheNamesOfSectionsAndKeys) {
    const testing_support::TempFolder folder;
    folder.Write(L"a.ini", test_support::Golden("platform/profile.ini"));
    platform::Profile& profile = *platform::RealMachine().profile;
    const std::wstring file = folder.File(L"a.ini");
    const std::set<std::wstring> sections = Upper(profile.SectionNames(file));
    for (const wchar_t* name : {L"MAIN", L"SPACED", L"EMPTY"}) EXPECT_EQ(sections.count(name), 1u) << name;
    const std::set<std::wstring> keys = Upper(profile.KeyNames(L"mAIN", file));
    for (const wchar_t* name : {L"KEY1", L"EMPTY", L"DUP"}) EXPECT_EQ(keys.count(name), 1u) << name;
    EXPECT_EQ(Upper(profile.KeyNames(L"Spaced", file)), std::set<std::wstring>{L"A"});
    EXPECT_TRUE(profile.KeyNames(L"Empty", file).empty());
    EXPECT_TRUE(profile.SectionNames(folder.File(L"missing.ini")).empty());
    const auto snapshot = profile.Snapshot(file);
    EXPECT_EQ(Upper(snapshot->SectionNames()), Upper(profile.SectionNames(file)));
    EXPECT_EQ(Upper(snapshot->KeyNames(L"mAIN")), keys);

    // Longer than any first guess at the size of the list.
    std::string many = "[Many]\r\n";
    for (int i = 1; i <= 3000; ++i) many += "Track" + std::to_string(i) + "=x\r\n";
    folder.Write(L"b.ini", many);
    const std::set<std::wstring> tracks = Upper(profile.KeyNames(L"Many", folder.File(L"b.ini")));
    EXPECT_EQ(tracks.size(), 3000u);
    EXPECT_EQ(tracks.count(L"TRACK3000"), 1u);
}

}  // namespace
