#include "base/TestSupport.h"
#include "log/LogWriterFixture.h"

namespace {

using log_testing::LogWriterTest;
using test_support::ErrorNumber;

TEST_F(LogWriterTest, ComponentIdsAndDirectory) {
    Start("");
    EXPECT_EQ(writer->Name(), L"clsLogShare");
    const std::pair<const wchar_t*, int32_t> ids[] = {{L"", 0}, {L"Quorvex", 1}, {L"QUORVEX", 1}, {L"Other", 2}};
    for (const auto& [name, id] : ids) EXPECT_EQ(writer->GetComponentId(name), id);

    clsLogShare fresh;
    EXPECT_EQ(fresh.Directory(), L"") << "empty until written";
    const std::wstring s = platform::PathSep();
    const std::pair<std::wstring, std::wstring> dirs[] = {
        {L"C:" + s + L"x", L"C:" + s + L"x" + s}, {L"C:" + s + L"x" + s, L"C:" + s + L"x" + s}, {L"", L"." + s}};
    for (const auto& [written, stored] : dirs) {
        fresh.Directory(written);
        EXPECT_EQ(fresh.Directory(), stored);
    }
}

TEST_F(LogWriterTest, FileNamesByModeChannelPrefixAndExtension) {
    Start("");
    // Mode, prefix, extension, record type, name (the channel of each type: RecordsTest).
    const std::tuple<int32_t, const wchar_t*, const wchar_t*, int32_t, const wchar_t*> cases[] = {
        {3, L"Quorvex", L"TXT", 42, L"_Quorvex_261206.TXT"}, {1, L"Quorvex", L"TXT", 1, L"Quorvex_261206.TXT"},
        {2, L"Quorvex", L"TXT", 3, L"DEBUG_Quorvex.TXT"},    {0, L"Quorvex", L"TXT", 1, L"Quorvex.TXT"},
        {0, L"", L"", 1, L""},                               {2, L"", L"TXT", 1, L"SYS.TXT"},
        {1, L"", L"log", 1, L"261206.log"},
    };
    for (const auto& [mode, prefix, extension, type, name] : cases) {
        writer->FileNameMode(mode);
        writer->FileNamePrefix(prefix);
        writer->FileNameExtension(extension);
        EXPECT_EQ(writer->GetLogFileName(type), writer->Directory() + name) << "mode " << mode << " type " << type;
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
    writer->Enable(0, L"Quorvex", 2);
    EXPECT_EQ(writer->Enable(0, L"Quorvex"), 2);

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
    // Day 0 reads as 2026-11-30, month 13 as 2027-01-01; a folder with a dated name stays.
    const std::wstring files[] = {L"SYS_Quorvex_261206.TXT", L"SYS_Quorvex_261205.TXT", L"DEBUG_Quorvex_261130.TXT",
                                  L"Quorvex_261200.TXT",     L"Quorvex_261301.TXT",     L"x_261101",
                                  L"261101.TXT",             L"notes_26110a.TXT",       L"SYS_Quorvex_261101/keep.TXT"};
    for (const std::wstring& name : files) folder.Write(name, "x");
    // A digit per file of files: 1 while it is there.
    const auto present = [&] {
        std::string bits;
        for (const std::wstring& name : files) bits += Exists(name) ? '1' : '0';
        return bits;
    };
    writer->DeleteOldLogs(1, 1);  // its result is always true: what it did shows only in the folder
    EXPECT_EQ(present(), "110010011");
    writer->DeleteOldLogs(0, 1);
    EXPECT_EQ(present(), "100010011");
    EXPECT_TRUE(Exists(L"log.ini"));

    // A day later, in another (missing) folder: this one is left alone.
    machine.clock.now = {2027, 1, 1, 0, 0, 0, 0};
    writer->Directory(folder.File(L"missing"));
    writer->DeleteOldLogs(0, 1);
    EXPECT_EQ(present(), "100010011");
    writer->Directory(folder.WPath());
    writer->DeleteOldLogs(0, 1);
    EXPECT_EQ(present(), "000010011");
}

}  // namespace
