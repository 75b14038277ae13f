#include <gtest/gtest.h>

#include "base/TestSupport.h"
#include "log/LogWriterFixture.h"

namespace {

using namespace mdlLog;
using log_testing::kStamp;

class RecordsTest : public log_testing::LogWriterTest {
protected:
    static std::string Line(const char* strLabel, const std::string& strText) {
        return std::string(strLabel) + kStamp + "\t" + strText + "\r\n";
    }
    // The debug file after one SetDebug of the text "T" + TAB and vParams.
    std::string Dump(const LogValues& vParams) {
        folder.Write(L"DEBUG_Quorvex_261206.TXT", "");
        EXPECT_TRUE(writer->SetDebug(L"T\t", vParams, 0));
        const std::string text = Log(L"DEBUG_Quorvex_261206.TXT");
        const std::string head = std::string("DebugLog: ") + kStamp + "\tT\t";
        if (text.rfind(head, 0) != 0 || text.size() < head.size() + 2) return "unexpected: " + text;
        return text.substr(head.size(), text.size() - head.size() - 2);
    }
};

// Every record is copied into the debug file too.
TEST_F(RecordsTest, EveryTypeHasItsLabelAndChannel) {
    Start("[Default]\ndefault=FILE\n");
    machine.clock.Advance(1.5);
    for (int32_t type = 0; type < 9; ++type) ASSERT_TRUE(writer->SetEvent(L"t" + std::to_wstring(type), type, 0));
    writer->FileNameMode(1);
    // Continuation lines indented; one file only: no debug copy without channels in the names.
    EXPECT_TRUE(writer->SetEvent(L"a\r\nb\nc", SysLog, 0));
    EXPECT_EQ(Listing(), test_support::Golden("records-every-type.txt"));
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
    ASSERT_EQ(machine.dialogs.shown.size(), 1u);
    EXPECT_EQ(machine.dialogs.shown[0].text, std::wstring(L"SysLog:   2026/12/06 09:05:03\tx"));
    EXPECT_EQ(machine.dialogs.shown[0].title, L"clsLogShare");
    EXPECT_EQ(machine.dialogs.shown[0].flags, platform::kMbOkCancel);
    EXPECT_EQ(Log(L"SYS_Quorvex_261206.TXT"), Line("SysLog:   ", "x"));

    EXPECT_FALSE(writer->SetEvent(L"e", ERRLOG, 0)) << "box only: nothing written";
    EXPECT_EQ(machine.dialogs.shown.size(), 2u);
    EXPECT_EQ(Log(L"SYS_Quorvex_261206.TXT"), Line("SysLog:   ", "x"));

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

TEST_F(RecordsTest, DebugItemsOfEveryKind) {
    Start("[Default]\nDebugLog=ON\n");
    const std::pair<LogValue, std::string> cases[] = {
        {LogEmpty{}, "empty"},                   {LogNull{}, "null"},
        {int16_t{-7}, "-7(int)"},                {int32_t{5}, "5(long)"},
        {0.1f, "0.1(single)"},                   {0.25, "0.25(double)"},
        {1e20, "1E+20(double)"},                 {1.0 / 3.0, "0.333333333333333(double)"},
        {LogCurrency{12345}, "1.2345(curr)"},    {LogCurrency{20000}, "2(curr)"},
        {LogCurrency{-15000}, "-1.5(curr)"},     {LogDate{46362.0}, "2026-12-06(date)"},
        {LogDate{46362.75}, "2026-12-06 18:00:00(date)"}, {LogDate{-1.25}, "1899-12-29 06:00:00(date)"},
        {std::wstring(L"abc"), "abc"},           {LogObject{L"clsTrack", {}, 12, L""}, "clsTrack:12(obj)"},
        {LogObject{{}, L"frmMain", -1, L""}, "frmMain(obj)"},
        {LogObject{{}, {}, 4, L"Collection"}, "Collection(obj)"},
        {LogObject{}, "???" "(obj)"},            {LogErrorValue{5}, "Error 5(err)"},
        {LogMissing{}, "(missing)"},             {false, "False(bln)"},
        {LogVariantText{L"v"}, "v(var)"},        {LogDataObject{L"rs"}, "rs(dtobj)"},
        {LogDecimal{L"1.5"}, "1.5(dec)"},        {uint8_t{255}, "255(byte)"},
        {LogUserType{}, "(usertype)"},           {LogArray{}, "(array)"},
        {LogUnknown{}, "(unknow)"},
        {LogObject{L"clsTrack", {}, 0, L""}, "clsTrack:0(obj)"}, {LogDate{-1.9999999}, "1899-12-28(date)"},
        {LogDate{1.9999999}, "1900-01-01(date)"}, {ToLogValue(int64_t{-2147483647 - 1}), "-2147483648(long)"},
    };
    for (const auto& [value, item] : cases) EXPECT_EQ(Dump({value}), item) << "kind " << VarType(value);

    EXPECT_EQ(Dump({int32_t{5}, std::wstring(L"abc"), true, LogEmpty{}}), "5(long), abc, True(bln), empty");
    machine.system.decimalSeparator = L',';
    EXPECT_EQ(Dump({0.25, 1.5f, LogCurrency{5000}}), "0,25(double), 1,5(single), 0,5(curr)");
}

TEST_F(RecordsTest, HexRunsOf37To50CharactersAreMasked) {
    Start("[Default]\nDebugLog=ON\n");
    const auto hex = [](size_t n) {
        std::wstring text;
        for (size_t i = 0; i < n; ++i) text += L"0123456789abcdefABCDEF"[i % 22];
        return text;
    };
    std::wstring withG = hex(40);
    withG[17] = L'g';
    // An empty expectation: shown unchanged.
    const std::pair<std::wstring, std::string> cases[] = {
        {hex(36), ""}, {hex(37), std::string(37, '*')}, {hex(50), std::string(50, '*')}, {hex(51), ""}, {withG, ""},
        {L"&H" + hex(38), std::string(40, '*')}, {std::wstring(40, L'h'), std::string(40, '*')},
    };
    for (const auto& [text, masked] : cases) {
        EXPECT_EQ(Dump({text}), masked.empty() ? std::string(text.begin(), text.end()) : masked);
    }
    EXPECT_EQ(Dump({LogVariantText{hex(40)}}), std::string(40, '*') + "(var)");
}

TEST_F(RecordsTest, LongItemsKeepTheirTypeTagAndTheTextIsCutAt2048) {
    Start("[Default]\nDebugLog=ON\n");
    EXPECT_EQ(Dump({LogVariantText{std::wstring(128, L'x')}}), std::string(128, 'x') + "...(var)");
    EXPECT_EQ(Dump({LogVariantText{std::wstring(127, L'x')}}), std::string(127, 'x') + "(var)") << "tag at 128";
    EXPECT_EQ(Dump({std::wstring(200, L'x')}), std::string(200, 'x')) << "no tag: appended whole";
    std::wstring early(200, L'x');
    early[49] = L'(';
    EXPECT_EQ(Dump({early}), std::string(early.begin(), early.end()));
    // The cut backs off from a surrogate pair, but not from a lone low surrogate.
    EXPECT_EQ(Dump({LogVariantText{std::wstring(127, L'x') + L"\xD800\xDC00"}}), std::string(127, 'x') + "...(var)");
    EXPECT_EQ(Dump({LogVariantText{std::wstring(127, L'x') + L"y\xDC00"}}), std::string(127, 'x') + "y...(var)");

    EXPECT_EQ(Dump({std::wstring(3000, L'y')}), std::string(2046, 'y')) << "2048 with the text T and TAB";
    EXPECT_EQ(Dump({}), "");
    folder.Write(L"DEBUG_Quorvex_261206.TXT", "");
    writer->SetDebug(L"a, , ", {}, 0);
    EXPECT_EQ(Log(L"DEBUG_Quorvex_261206.TXT"), Line("DebugLog: ", "a"));
}

}  // namespace
