#include <gtest/gtest.h>

#include <string>

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

TEST_F(ClsLogCfgTest, WithoutIniOrMarkersOnlyDebugAndPerformanceAreOff) {
    // Folders with the marker names are not markers.
    folder.Write(L"debugon/x", "");
    folder.Write(L"performanceon/x", "");
    const int32_t expected[] = {1, 1, 1, 0, 1, 0, 0, 0, 0};
    for (int32_t type = 0; type < 9; ++type) EXPECT_EQ(Get(type), expected[type]) << "type " << type;
    EXPECT_EQ(Get(9), 1);
    EXPECT_EQ(Get(-3), 1);
    EXPECT_EQ(Get(3, L"Quorvex", 7), 7) << "a named component takes the default it is given";
}

TEST_F(ClsLogCfgTest, MarkerFilesBesideTheIniSwitchOnTheirTypes) {
    folder.Write(L"debugon", "");
    EXPECT_EQ(Get(3), 1);
    EXPECT_EQ(Get(5), 0);
    EXPECT_EQ(Get(3, L"Quorvex", 0), 0) << "markers count for the default component only";
    folder.Write(L"performanceon", "");
    EXPECT_EQ(Get(5), 1);
    EXPECT_EQ(Get(6), 1);
    EXPECT_EQ(Get(7), 1);
    EXPECT_EQ(Get(8), 0);
    folder.Write(L"performanceSQLon", "");
    EXPECT_EQ(Get(8), 1);

    Ini("[Default]\nDebugLog=OFF\n");
    EXPECT_EQ(Get(3), 0) << "a key wins over the marker file";
}

TEST_F(ClsLogCfgTest, EmptyIniNameSetsNothing) {
    cfg.INIFile(L"");
    EXPECT_EQ(Get(1), 1);
    EXPECT_EQ(Get(42), 1);
    EXPECT_EQ(Get(2, L"Quorvex", 0), 0);
}

TEST_F(ClsLogCfgTest, ValuesAndLists) {
    const struct {
        const char* value;
        int32_t state;
    } cases[] = {
        {"MSGBOX", 3},       {"msgbox", 3},        {"TRUE", 1},          {"file", 1},
        {"1", 1},            {"Enable", 1},        {"on", 1},            {"  on  ", 1},
        {"FALSE", 0},        {"none", 0},          {"DISABLE", 0},       {"off", 0},
        {"2", kNotFound},    {"yes", kNotFound},   {"TRUE.", kNotFound}, {"", kNotFound},
        {"1,1", 3},          {"FILE,MSGBOX", 3},   {"0,1", 2},           {"MSGBOX,", 2},
        {"FALSE,FALSE", kNotFound}, {"TRUE, MSGBOX", 1}, {",,,,", kNotFound}, {"ON,ON,ON", 3},
        {"FILE,1", 3},       {",1", 2},            {",FILE", 1},         {"1 ,1", 2},
        {"msgbox,file", 3},  {"off,on", 2},
    };
    std::string ini;
    for (size_t i = 0; i < std::size(cases); ++i) ini += "[C" + std::to_string(i) + "]\nDebugLog=" + cases[i].value + "\n";
    Ini(ini);
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(Get(3, L"C" + std::to_wstring(i)), cases[i].state) << "value \"" << cases[i].value << "\"";
    }
}

TEST_F(ClsLogCfgTest, ComponentSectionThenDefaultSectionThenGivenDefault) {
    Ini("[Default]\n"
        "default=FILE\n"
        "DebugLog=OFF\n"
        "Perf_I=MSGBOX\n"
        "[quorvex]\n"
        "DebugLog=TRUE,TRUE\n"
        "[Silent]\n"
        "default=OFF\n"
        "[Partial]\n"
        "SysLog=\n"
        "Perf_II=garbage\n");
    EXPECT_EQ(Get(3), 0);
    EXPECT_EQ(Get(5), 3);
    EXPECT_EQ(Get(8), 1) << "Default's default key";
    EXPECT_EQ(Get(42), 1) << "an unknown type reads the default key";
    EXPECT_EQ(Get(3, L"Quorvex"), 3) << "section names ignore case";
    EXPECT_EQ(Get(5, L"Quorvex"), 3);
    for (int32_t type = 0; type < 9; ++type) EXPECT_EQ(Get(type, L"Silent"), 0) << "type " << type;
    EXPECT_EQ(Get(1, L"Partial"), 1);
    EXPECT_EQ(Get(6, L"Partial"), 1);
    EXPECT_EQ(Get(3, L"Nobody"), 0);
}

TEST_F(ClsLogCfgTest, GarbageReadsAsNotSet) {
    std::string ini = "\x01\x02 garbage \x80\x9f\n[\n]]]\n=\n[Default]\nunknown=MSGBOX\nDebugLog=\x80\x81\x82\n";
    ini += "Perf_I=" + std::string(4000, 'A') + "\n";
    ini += "Perf_II=" + std::string(4000, '1') + "\n";
    ini += "SysLog=";
    for (int i = 0; i < 3000; ++i) ini += "1,";
    ini += "\nERRLOG=,,,,\n";
    Ini(ini);
    EXPECT_EQ(Get(3, L"Quorvex"), kNotFound);
    EXPECT_EQ(Get(5, L"Quorvex"), kNotFound);
    EXPECT_EQ(Get(6, L"Quorvex"), kNotFound);
    EXPECT_EQ(Get(1, L"Quorvex"), 3) << "a long list is read up to the buffer size";
    EXPECT_EQ(Get(2, L"Quorvex"), kNotFound);
    EXPECT_EQ(Get(0, L"Quorvex"), kNotFound);
}

TEST(MdlPathSupTest, GetFilePathKeepsTheLastSeparator) {
    const std::wstring s = platform::PathSep();
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:" + s + L"a" + s + L"b" + s + L"log.ini", L"C:" + s + L"a" + s + L"b" + s},
        {L"log.ini", L"." + s},
        {L"", L"." + s},
        {s + L"log.ini", s},
        {L"a" + s, L"a" + s},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(mdlPathSup::GetFilePath(path), folder);
}

}  // namespace
