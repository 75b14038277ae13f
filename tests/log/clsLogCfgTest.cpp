#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "log/clsLogCfg.h"
#include "log/mdlPathSup.h"
#include "platform/Machine.h"

namespace {

// Handed in as the default: a lookup that returns it found nothing.
constexpr int32_t kNotFound = 99;

class ClsLogCfgTest : public ::testing::Test {
protected:
    void SetUp() override { cfg.INIFile(folder.File(L"log.ini")); }
    void Ini(std::string_view strContent) { folder.Write(L"log.ini", strContent); }
    int32_t Get(int32_t eRecType, std::wstring_view strComponent = L"", int32_t eDefault = kNotFound) {
        return cfg.GetSetting(eRecType, eDefault, strComponent);
    }

    testing_support::TempFolder folder;
    clsLogCfg cfg;
};

TEST_F(ClsLogCfgTest, WithoutIniOnlyMarkerFilesSwitchDebugAndPerformanceOn) {
    folder.Write(L"debugon/x", "");  // folders with the marker names are not markers
    folder.Write(L"performanceon/x", "");
    const int32_t unset[] = {1, 1, 1, 0, 1, 0, 0, 0, 0, 1};
    for (int32_t type = 0; type < 10; ++type) EXPECT_EQ(Get(type), unset[type]) << "type " << type;
    EXPECT_EQ(Get(3, L"Quorvex", 7), 7) << "a named component takes the default it is given";

    std::filesystem::remove_all(folder.Path() / "debugon");
    std::filesystem::remove_all(folder.Path() / "performanceon");
    folder.Write(L"debugon", "");
    EXPECT_EQ(Get(3), 1);
    EXPECT_EQ(Get(5), 0);
    EXPECT_EQ(Get(3, L"Quorvex", 0), 0) << "markers count for the default component only";
    folder.Write(L"performanceon", "");
    const int32_t perf[] = {1, 1, 1, 0};
    for (int32_t type = 5; type <= 8; ++type) EXPECT_EQ(Get(type), perf[type - 5]) << "type " << type;
    folder.Write(L"performanceSQLon", "");
    EXPECT_EQ(Get(8), 1);
    Ini("[Default]\nDebugLog=OFF\n");
    EXPECT_EQ(Get(3), 0) << "a key wins over the marker file";

    cfg.INIFile(L"");
    EXPECT_EQ(Get(42), 1) << "no ini name: nothing set";
    EXPECT_EQ(Get(2, L"Quorvex", 0), 0);
}

TEST_F(ClsLogCfgTest, ValuesAndLists) {
    const std::pair<const char*, int32_t> cases[] = {
        {"msgbox", 3},      {"file", 1},       {"Enable", 1},       {"  on  ", 1},      {"none", 0},
        {"yes", kNotFound}, {"", kNotFound},   {"1,1", 3},          {"0,1", 2},         {"MSGBOX,", 2},
        {",FILE", 1},       {"1 ,1", 2},       {"TRUE, MSGBOX", 1}, {"FALSE,FALSE", kNotFound},
    };
    std::string ini;
    for (size_t i = 0; i < std::size(cases); ++i) ini += "[C" + std::to_string(i) + "]\nDebugLog=" + cases[i].first + "\n";
    Ini(ini);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Get(3, L"C" + std::to_wstring(i)), cases[i].second) << "value \"" << cases[i].first << "\"";
    }
}

TEST_F(ClsLogCfgTest, ComponentSectionThenDefaultSectionThenGivenDefault) {
    Ini("[Default]\ndefault=FILE\nDebugLog=OFF\nPerf_I=MSGBOX\n[quorvex]\nDebugLog=TRUE,TRUE\n"
        "[Silent]\ndefault=OFF\n[Partial]\nSysLog=\nPerf_II=garbage\n");
    EXPECT_EQ(Get(3), 0);
    EXPECT_EQ(Get(5), 3);
    EXPECT_EQ(Get(8), 1) << "Default's default key";
    EXPECT_EQ(Get(42), 1) << "an unknown type reads the default key";
    EXPECT_EQ(Get(3, L"Quorvex"), 3) << "section names ignore case";
    for (int32_t type = 0; type < 9; ++type) EXPECT_EQ(Get(type, L"Silent"), 0) << "type " << type;
    EXPECT_EQ(Get(1, L"Partial"), 1);
    EXPECT_EQ(Get(6, L"Partial"), 1);
    EXPECT_EQ(Get(3, L"Nobody"), 0);
}

TEST_F(ClsLogCfgTest, GarbageReadsAsNotSet) {
    std::string ini = "\x01\x02 garbage \x80\x9f\n[\n]]]\n=\n[Default]\nunknown=MSGBOX\nDebugLog=\x80\x81\x82\n";
    ini += "Perf_I=" + std::string(4000, 'A') + "\nPerf_II=" + std::string(4000, '1') + "\nSysLog=";
    for (int i = 0; i < 3000; ++i) ini += "1,";
    Ini(ini + "\nERRLOG=,,,,\n");
    const std::pair<int32_t, int32_t> cases[] = {{3, kNotFound}, {5, kNotFound}, {6, kNotFound},
                                                 {2, kNotFound}, {0, kNotFound}, {1, 3}};
    for (const auto& [type, state] : cases) EXPECT_EQ(Get(type, L"Quorvex"), state) << "type " << type;
}

TEST(MdlPathSupTest, GetFilePathKeepsTheLastSeparator) {
    const std::wstring s = platform::PathSep();
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:" + s + L"a" + s + L"b" + s + L"log.ini", L"C:" + s + L"a" + s + L"b" + s},
        {L"log.ini", L"." + s}, {L"", L"." + s}, {s + L"log.ini", s}, {L"a" + s, L"a" + s},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(mdlPathSup::GetFilePath(path), folder);
}

}  // namespace
