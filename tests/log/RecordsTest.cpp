#include "base/TestSupport.h"
#include "log/LogWriterFixture.h"

namespace {

using namespace mdlLog;

using RecordsTest = log_testing::LogWriterTest;

// Every record is copied into the debug file too.
TEST_F(RecordsTest, EveryTypeHasItsLabelAndChannel) {
    Start("[Default]\ndefault=FILE\n");
    machine.clock.Advance(1.5);
    for (int32_t type = 0; type < 9; ++type) ASSERT_TRUE(writer->SetEvent(L"t" + std::to_wstring(type), type, 0));
    writer->FileNameMode(1);
    // Continuation lines indented; one file only: no debug copy without channels in the names.
    EXPECT_TRUE(writer->SetEvent(L"a\r\nb\nc", SysLog, 0));
    EXPECT_EQ(Listing(), test_support::Golden("log/records-every-type.txt"));
}

TEST_F(RecordsTest, StampsUseTheLocaleSeparators) {
    Start("[Default]\nPerf_I=ON\n");
    machine.system.dateSeparator = L".";
    machine.system.timeSeparator = L"-";
    machine.system.decimalSeparator = L',';
    machine.clock.Advance(61.25);
    writer->SetEvent(L"p", Perf_I, 0);
    EXPECT_EQ(Log(L"PERFORMANCE_Quorvex_261206.TXT"), "Perf_I:   2026.12.06 09-05-03 \"Timestamp=0:01:01,250000\"  \tp\r\n");
}

TEST_F(RecordsTest, RefusedAndSwitchedOffRecordsWriteNothing) {
    Start("[Default]\nInfoLog=OFF\n");
    const std::pair<int32_t, int32_t> refused[] = {{1, -1}, {1, 1}, {-1, 0}, {9, 0}, {-2, 0}};
    for (const auto& [type, component] : refused) EXPECT_FALSE(writer->SetEvent(L"x", type, component));
    EXPECT_TRUE(writer->SetEvent(L"x", InfoLog, 0)) << "switched off counts as done";
    EXPECT_TRUE(writer->SetEvent(L"x", DebugLog, 0));
    EXPECT_TRUE(writer->SetDebug(L"x", {}, 0));
    EXPECT_EQ(Listing(), "");
    writer->Directory(folder.File(L"missing"));
    EXPECT_FALSE(writer->SetEvent(L"x", SysLog, 0)) << "a file that cannot be opened";
}

TEST_F(RecordsTest, MessageBoxShowsTheLineAndCancelSwitchesToFile) {
    Start("[Default]\nSysLog=MSGBOX\nERRLOG=0,1\n");
    const int32_t quorvex = writer->GetComponentId(L"Quorvex");
    const int32_t other = writer->GetComponentId(L"Other");
    EXPECT_TRUE(writer->SetEvent(L"x", SysLog, quorvex));
    const std::string sysLine = std::string("SysLog:   ") + log_testing::kStamp + "\tx\r\n";
    ASSERT_EQ(machine.dialogs.shown.size(), 1u);
    EXPECT_EQ(machine.dialogs.shown[0].text, std::wstring(L"SysLog:   2026/12/06 09:05:03\tx"));
    EXPECT_EQ(machine.dialogs.shown[0].title, L"clsLogShare");
    EXPECT_EQ(machine.dialogs.shown[0].flags, platform::kMbOkCancel);
    EXPECT_EQ(Log(L"SYS_Quorvex_261206.TXT"), sysLine);

    EXPECT_FALSE(writer->SetEvent(L"e", ERRLOG, 0)) << "box only: nothing written";
    EXPECT_EQ(machine.dialogs.shown.size(), 2u);
    EXPECT_EQ(Log(L"SYS_Quorvex_261206.TXT"), sysLine);

    machine.dialogs.answers = {platform::kIdCancel};
    writer->SetEvent(L"y", SysLog, quorvex);
    EXPECT_EQ(writer->Enable(SysLog, L"Quorvex"), 1);
    EXPECT_EQ(writer->Enable(SysLog, L"Other"), 3) << "a named component's Cancel is its own";
    EXPECT_EQ(writer->Enable(SysLog, L""), 3);

    machine.dialogs.answers = {platform::kIdCancel};
    writer->SetEvent(L"z", SysLog, 0);
    EXPECT_EQ(writer->Enable(SysLog, L""), 1);
    EXPECT_EQ(writer->Enable(SysLog, L"Other"), 1) << "the default component's Cancel reaches every component";
    const size_t shown = machine.dialogs.shown.size();
    writer->SetEvent(L"w", SysLog, other);
    EXPECT_EQ(machine.dialogs.shown.size(), shown);
}

// A record per line: items of every kind; hex runs of 37 to 50 characters
// masked; long items cut, keeping their type tag from 128 on; the text cut at
// 2048; trailing separators dropped; the locale's decimal sign.
TEST_F(RecordsTest, DebugItems) {
    Start("[Default]\nDebugLog=ON\n");
    const auto hex = [](size_t n) {
        std::wstring text;
        for (size_t i = 0; i < n; ++i) text += L"0123456789abcdefABCDEF"[i % 22];
        return text;
    };
    std::wstring withG = hex(40);
    withG[17] = L'g';
    std::wstring early(200, L'x');
    early[49] = L'(';
    const LogValues records[] = {
        {LogEmpty{}, LogNull{}, int16_t{-7}, int32_t{5}, 0.1f, 1e20, 1.0 / 3.0, LogCurrency{20000}, LogCurrency{-15000},
         LogDate{46362.0}, LogDate{-1.25}, std::wstring(L"abc"), LogObject{L"clsTrack", {}, 12, L""},
         LogObject{{}, L"frmMain", -1, L""}, LogObject{{}, {}, 4, L"Collection"}, LogObject{}, LogErrorValue{5},
         LogMissing{}, false, LogVariantText{L"v"}, LogDataObject{L"rs"}, LogDecimal{L"1.5"}, uint8_t{255},
         LogUserType{}, LogArray{}, LogUnknown{}},
        {hex(36), hex(37), hex(50), hex(51), withG, L"&H" + hex(38), std::wstring(40, L'h'), LogVariantText{hex(40)}},
        {LogVariantText{std::wstring(128, L'x')}, LogVariantText{std::wstring(127, L'x')}, std::wstring(200, L'x'),
         early},
        {std::wstring(3000, L'y')},
        // The cut backs off from a surrogate pair, not from a lone low surrogate.
        {LogObject{L"clsTrack", {}, 0, L""}, LogDate{-1.9999999}, LogDate{1.9999999}, ToLogValue(int64_t{INT32_MIN}),
         LogVariantText{std::wstring(127, L'x') + L"\xD800\xDC00"}, LogVariantText{std::wstring(127, L'x') + L"y\xDC00"}},
        {},
    };
    for (const LogValues& values : records) EXPECT_TRUE(writer->SetDebug(L"T\t", values, 0));
    writer->SetDebug(L"a, , ", {}, 0);
    machine.system.decimalSeparator = L',';
    writer->SetDebug(L"T\t", {0.25, 1.5f, LogCurrency{5000}}, 0);
    EXPECT_EQ(Log(L"DEBUG_Quorvex_261206.TXT"), test_support::Golden("log/debug-items.txt"));
}

}  // namespace
