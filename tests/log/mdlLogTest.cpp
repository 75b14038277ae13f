#include <gtest/gtest.h>

#include "base/VbError.h"
#include "fakes/RecordingLog.h"
#include "log/clsLog.h"
#include "log/mdlLog.h"

namespace {

using namespace mdlLog;

class MdlLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        LogInit(nullptr, L"");
        SetProgramVersion({1, 0, 0, L""});
    }
    void TearDown() override { LogInit(nullptr, L""); }
    const std::wstring& Last() const { return writer->events.back().text; }

    std::shared_ptr<testing_support::RecordingLog> writer = std::make_shared<testing_support::RecordingLog>();
};

TEST_F(MdlLogTest, NothingWhileDetachedAndTheHeaderOnFirstAttachOnly) {
    EXPECT_FALSE(LogIsReady());
    EXPECT_FALSE(LogEvent(L"[clsApp] (Check)", L"START:", DebugLog));
    EXPECT_FALSE(LogDebug(L"(GetRegValue)", 1, L"x"));
    try {
        base::Raise(5);
    } catch (...) {
        EXPECT_FALSE(LogError(L"(RegistryList)", L"", L""));
    }

    writer->nextId = 7;
    EXPECT_TRUE(LogInit(writer, L"Quorvex"));
    EXPECT_TRUE(LogIsReady());
    ASSERT_EQ(writer->events.size(), 1u);
    EXPECT_EQ(writer->events[0].text, L"Quorvex verze 1.0.0");
    EXPECT_EQ(writer->events[0].type, SysLog);
    EXPECT_EQ(writer->events[0].component, 7);

    EXPECT_TRUE(LogInit(writer, L"Other"));
    EXPECT_EQ(writer->events.size(), 1u) << "re-attaching only re-registers";
    EXPECT_EQ(writer->registered, (std::vector<std::wstring>{L"Quorvex", L"Other"}));
    LogEvent(L"[x] (y)", L"z", InfoLog);
    EXPECT_EQ(Last(), L"Other[x] (y)\tz");

    EXPECT_FALSE(LogInit(nullptr, L"Quorvex"));
    EXPECT_FALSE(LogEvent(L"a", L"b", SysLog));
    SetProgramVersion({2, 10, 305, L"beta"});
    LogInit(writer, L"Quorvex");
    EXPECT_EQ(Last(), L"Quorvex verze 2.10.305 (beta)") << "a detach makes the next attach a first one";
}

// The framing of events and errors in the files: clsAppTest.
TEST_F(MdlLogTest, ErrorFramingOutsideAHandlerAndWriterFailures) {
    LogInit(writer, L"Quorvex");
    try {
        base::Raise(5, L"src", L"Invalid procedure call or argument");
    } catch (...) {
        EXPECT_TRUE(LogError(L"(RegistryList)", L"ctx", L""));
    }
    EXPECT_EQ(Last(), L"Quorvex(RegistryList)\tctx\t5\tsrc\tInvalid procedure call or argument");
    EXPECT_EQ(writer->events.back().type, ERRLOG);
    LogError(L"[p] (q)", L"", L"");
    EXPECT_EQ(Last(), L"Quorvex[p] (q)\t\t0\t\t") << "outside a handler";

    writer->throwOnEvent = true;
    EXPECT_FALSE(LogEvent(L"a", L"b", SysLog)) << "writer failures never reach the caller";
    EXPECT_FALSE(LogError(L"a", L"", L""));
}

TEST_F(MdlLogTest, DebugPassesTheValuesWithTheirKinds) {
    LogInit(writer, L"Quorvex");
    EXPECT_TRUE(LogDebug(L"(GetRegValue)", 0x80000002u, std::wstring(L"S"), L"DisplayName", 1, int16_t{3}, true));
    ASSERT_EQ(writer->debugs.size(), 1u);
    EXPECT_EQ(writer->debugs[0].first, L"Quorvex(GetRegValue)\t");
    const LogValues& values = writer->debugs[0].second;
    ASSERT_EQ(values.size(), 6u);
    // A text literal is a text, not a Boolean; an unsigned 32-bit value stays exact as a double.
    const int32_t kinds[] = {5, 8, 8, 3, 2, 11};
    for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(VarType(values[i]), kinds[i]) << i;
    EXPECT_DOUBLE_EQ(std::get<double>(values[0]), 2147483650.0);

    EXPECT_TRUE(LogDebug(L"(GetFolderPath)"));
    EXPECT_EQ(writer->debugs.back().first, L"Quorvex(GetFolderPath)\t");
    EXPECT_TRUE(writer->debugs.back().second.empty());
}

}  // namespace
