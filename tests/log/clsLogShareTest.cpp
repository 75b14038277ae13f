#include <gtest/gtest.h>

#include <filesystem>

#include "base/VbError.h"
#include "log/LogWriterFixture.h"
#include "log/mdlLog.h"

namespace {

using log_testing::kStamp;
using log_testing::LogWriterTest;

template <typename F>
int32_t ErrorNumber(F&& action) {
    try {
        action();
    } catch (const base::VbError& error) {
        return error.Number();
    }
    return 0;
}

TEST_F(LogWriterTest, ComponentNamesIgnoreCaseAndGetTheNextId) {
    Start("");
    EXPECT_EQ(writer->Name(), L"clsLogShare");
    EXPECT_EQ(writer->GetComponentId(L""), 0);
    EXPECT_EQ(writer->GetComponentId(L"Quorvex"), 1);
    EXPECT_EQ(writer->GetComponentId(L"QUORVEX"), 1);
    EXPECT_EQ(writer->GetComponentId(L"Other"), 2);
    EXPECT_EQ(writer->GetComponentId(L"quorvex"), 1);
}

TEST_F(LogWriterTest, DirectoryEndsWithTheSeparator) {
    clsLogShare fresh;
    EXPECT_EQ(fresh.Directory(), L"") << "empty until written";
    const std::wstring s = Sep();
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:" + s + L"x", L"C:" + s + L"x" + s},
        {L"C:" + s + L"x" + s, L"C:" + s + L"x" + s},
        {L"", L"." + s},
    };
    for (const auto& [written, stored] : cases) {
        fresh.Directory(written);
        EXPECT_EQ(fresh.Directory(), stored);
    }
}

TEST_F(LogWriterTest, FileNamesByModeChannelPrefixAndExtension) {
    Start("");
    const struct {
        int32_t mode;
        const wchar_t* prefix;
        const wchar_t* extension;
        int32_t type;
        const wchar_t* name;
    } cases[] = {
        {3, L"Quorvex", L"TXT", 1, L"SYS_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 0, L"USER_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 3, L"DEBUG_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 4, L"_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 5, L"PERFORMANCE_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 6, L"PERFORMANCE_II_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 7, L"PERFORMANCES_Quorvex_261206.TXT"},
        {3, L"Quorvex", L"TXT", 42, L"_Quorvex_261206.TXT"},
        {1, L"Quorvex", L"TXT", 1, L"Quorvex_261206.TXT"},
        {2, L"Quorvex", L"TXT", 3, L"DEBUG_Quorvex.TXT"},
        {0, L"Quorvex", L"TXT", 1, L"Quorvex.TXT"},
        {0, L"", L"", 1, L""},
        {2, L"", L"TXT", 1, L"SYS.TXT"},
        {3, L"", L"TXT", 1, L"SYS_261206.TXT"},
        {1, L"", L"log", 1, L"261206.log"},
    };
    for (const auto& c : cases) {
        writer->FileNameMode(c.mode);
        writer->FileNamePrefix(c.prefix);
        writer->FileNameExtension(c.extension);
        EXPECT_EQ(writer->GetLogFileName(c.type), writer->Directory() + c.name) << "mode " << c.mode << " type " << c.type;
    }
    machine.clock.now = {2005, 1, 9, 23, 59, 59, 0};
    writer->FileNameMode(3);
    EXPECT_EQ(writer->GetLogFileName(1), writer->Directory() + L"SYS_050109.log");
}

TEST_F(LogWriterTest, EnableSwitchesOneOrEveryComponent) {
    Start("[Default]\ndefault=FILE\n");
    writer->GetComponentId(L"Quorvex");
    writer->Enable(3, L"Quorvex", 2);
    EXPECT_EQ(writer->Enable(3, L"Quorvex"), 2);
    EXPECT_EQ(writer->Enable(3, L""), 1);

    writer->Enable(-1, L"", 0);
    for (int32_t type = 0; type < 9; ++type) {
        EXPECT_EQ(writer->Enable(type, L""), 0);
        EXPECT_EQ(writer->Enable(type, L"Quorvex"), 0);
    }
    writer->Enable(-1, L"New", 3);
    EXPECT_EQ(writer->GetComponentId(L"New"), 2) << "Enable registers a new name";
    EXPECT_EQ(writer->Enable(8, L"New"), 3);
    writer->Enable(12, L"", 1);  // a bad type changes nothing and raises nothing
    EXPECT_EQ(writer->Enable(1, L""), 0);

    EXPECT_EQ(ErrorNumber([&] { writer->Enable(-1, L""); }), static_cast<int32_t>(0x80041802u));
    EXPECT_EQ(ErrorNumber([&] { writer->Enable(9, L""); }), base::vbErrSubscript);
    EXPECT_EQ(ErrorNumber([&] { writer->Enable(-2, L"Quorvex"); }), base::vbErrSubscript);
}

TEST_F(LogWriterTest, NewComponentsStartFromComponentZeroAndInitReloads) {
    Start("[Fresh]\nSysLog=OFF\n");
    writer->Enable(3, L"", 1);
    writer->GetComponentId(L"Fresh");
    EXPECT_EQ(writer->Enable(3, L"Fresh"), 1) << "inherited from component 0";
    EXPECT_EQ(writer->Enable(1, L"Fresh"), 0) << "its own section first";

    ASSERT_TRUE(writer->Init(folder.File(L"log.ini")));
    EXPECT_EQ(writer->Enable(3, L""), 0) << "reloaded from the (missing) marker file";

    folder.Write(L"log.ini", "[Default]\nDebugLog=ON\nInfoLog=OFF\n[Fresh]\nSysLog=MSGBOX\n");
    ASSERT_TRUE(writer->Init(folder.File(L"log.ini")));
    EXPECT_EQ(writer->Enable(3, L""), 1);
    EXPECT_EQ(writer->Enable(0, L"Fresh"), 0);
    EXPECT_EQ(writer->Enable(1, L"Fresh"), 3);
}

TEST_F(LogWriterTest, DeleteOldLogsRemovesDatedFilesOfEarlierDaysOnly) {
    Start("");
    const wchar_t* files[] = {
        L"SYS_Quorvex_261206.TXT",   // today
        L"SYS_Quorvex_261205.TXT",   // yesterday
        L"DEBUG_Quorvex_261130.TXT",
        L"Quorvex_261200.TXT",       // day 0: 2026-11-30
        L"Quorvex_261301.TXT",       // month 13: 2027-01-01
        L"x_261101",
        L"261101.TXT",
        L"notes_26110a.TXT",
        L"SYS_Quorvex_261101/keep.TXT",
    };
    for (const wchar_t* name : files) folder.Write(name, "x");

    EXPECT_TRUE(writer->DeleteOldLogs(1, 1));
    const auto present = [&] {
        std::vector<std::wstring> names;
        for (const wchar_t* name : files) {
            if (Exists(name)) names.emplace_back(name);
        }
        return names;
    };
    EXPECT_EQ(present(), (std::vector<std::wstring>{L"SYS_Quorvex_261206.TXT", L"SYS_Quorvex_261205.TXT",
                                                    L"Quorvex_261301.TXT", L"notes_26110a.TXT",
                                                    L"SYS_Quorvex_261101/keep.TXT"}));
    EXPECT_TRUE(writer->DeleteOldLogs(0, 1));
    EXPECT_EQ(present(), (std::vector<std::wstring>{L"SYS_Quorvex_261206.TXT", L"Quorvex_261301.TXT",
                                                    L"notes_26110a.TXT", L"SYS_Quorvex_261101/keep.TXT"}));
    EXPECT_TRUE(Exists(L"log.ini"));

    machine.clock.now = {2027, 1, 1, 0, 0, 0, 0};
    EXPECT_TRUE(writer->DeleteOldLogs(0, 1));
    EXPECT_FALSE(Exists(L"SYS_Quorvex_261206.TXT"));
    EXPECT_TRUE(Exists(L"Quorvex_261301.TXT"));

    writer->Directory(folder.File(L"missing"));
    EXPECT_TRUE(writer->DeleteOldLogs(0, 1));
}

// The facade attached to a real writer configured as the program does it.
class LogEndToEndTest : public LogWriterTest {
protected:
    void TearDown() override { mdlLog::LogInit(nullptr, L""); }
};

TEST_F(LogEndToEndTest, TracesLandInTheDatedFilesOfTheTempFolder) {
    folder.Write(L"log.ini", "[Quorvex]\nDebugLog=ON\n");
    std::filesystem::create_directory(folder.Path() / "TEMP");
    auto share = std::make_shared<clsLogShare>();
    share->Directory(folder.WPath() + Sep() + L"TEMP");
    share->FileNamePrefix(L"Quorvex");
    share->FileNameMode(3);
    ASSERT_TRUE(share->Init(folder.WPath() + Sep() + L"log.ini"));
    mdlLog::SetProgramVersion({1, 0, 0, L""});
    ASSERT_TRUE(mdlLog::LogInit(share, L"Quorvex"));

    EXPECT_TRUE(mdlLog::LogEvent(L"[clsApp] (Class_Initialize)", L"APP START\t4194304", mdlLog::SysLog));
    EXPECT_TRUE(mdlLog::LogDebug(L"(GetRegValue)", 5, L"abc"));

    const std::string sys = std::string("SysLog:   ") + kStamp + "\tQuorvex verze 1.0.0\r\n" + "SysLog:   " + kStamp +
                            "\tQuorvex[clsApp] (Class_Initialize)\tAPP START\t4194304\r\n";
    EXPECT_EQ(folder.Read(L"TEMP/SYS_Quorvex_261206.TXT"), sys);
    EXPECT_EQ(folder.Read(L"TEMP/DEBUG_Quorvex_261206.TXT"),
              sys + "DebugLog: " + kStamp + "\tQuorvex(GetRegValue)\t5(long), abc\r\n");
}

}  // namespace
