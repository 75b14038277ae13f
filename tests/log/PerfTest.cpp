#include "base/TestSupport.h"
#include "log/LogWriterFixture.h"
#include "log/mdlTimer.h"

namespace {

using namespace mdlLog;
using namespace mdlTimer;
using test_support::Golden;

constexpr wchar_t kPerfFile[] = L"PERFORMANCE_Quorvex_261206.TXT";

class PerfTest : public log_testing::LogWriterTest {
protected:
    void SetUp() override { Start("[Default]\nPerf_I=ON\nPerf_SQL=ON\n"); }
    void StartAll(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) ASSERT_TRUE(writer->StartPerf(name, L"", Perf_I, 0));
    }
};

TEST_F(PerfTest, StartAndStopWriteTheirRecords) {
    machine.clock.Advance(2.0);
    EXPECT_TRUE(writer->StartPerf(L"A", L"loading", Perf_I, 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"a", 0)) << "names are case-sensitive";
    machine.clock.Advance(0.25);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_EQ(Log(kPerfFile), Golden("log/perf-start-stop.txt"));
}

TEST_F(PerfTest, WithoutAHighResolutionCounterTheMillisecondClockTimes) {
    machine.clock.frequency = 0;
    Start("[Default]\nPerf_SQL=ON\n");
    machine.clock.Advance(1.5);
    writer->StartPerf(L"M", L"", Perf_SQL, 0);
    machine.clock.Advance(61.25);
    writer->StopPerf(L"M", 0);
    EXPECT_EQ(Log(kPerfFile), Golden("log/perf-millisecond-clock.txt"));
}

// Slots stopped out of order; the same name twice: the newer stops first; an
// empty name stops every open measurement, newest first.
TEST_F(PerfTest, SlotsStoppedOutOfOrder) {
    StartAll({L"A", L"B", L"C"});
    EXPECT_EQ(writer->PerfSlotCount(0), 3);
    EXPECT_TRUE(writer->StopPerf(L"B", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 3) << "a gap below the top keeps the range";
    EXPECT_TRUE(writer->StopPerf(L"C", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 1) << "the range shrinks past the gap";
    EXPECT_FALSE(writer->StopPerf(L"B", 0)) << "not open any more";
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 0);
    EXPECT_FALSE(writer->StopPerf(L"", 0)) << "nothing open";

    writer->StartPerf(L"A", L"older", Perf_I, 0);
    writer->StartPerf(L"A", L"newer", Perf_I, 0);
    StartAll({L"D", L"E", L"F"});
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_TRUE(writer->IsPerfOpen(L"A", 0));
    writer->StopPerf(L"E", 0);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"A", 0));
    StartAll({L"G"});
    EXPECT_TRUE(writer->StopPerf(L"", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 0);
    EXPECT_EQ(Log(kPerfFile), Golden("log/perf-stop-order.txt"));
}

TEST_F(PerfTest, RefusedAndSwitchedOffMeasurements) {
    const int32_t other = writer->GetComponentId(L"Other");
    const std::pair<int32_t, int32_t> refused[] = {{Perf_II, 0}, {9, 0}, {-1, 0}, {Perf_I, other + 1}};
    for (const auto& [type, component] : refused) EXPECT_FALSE(writer->StartPerf(L"X", L"", type, component));
    EXPECT_FALSE(writer->StartPerf(L"", L"", Perf_I, 0));
    EXPECT_FALSE(writer->StopPerf(L"X", -1));
    EXPECT_FALSE(writer->IsPerfOpen(L"X", 7));
    EXPECT_EQ(Listing(), "");

    // A type switched off while open: nothing written, the slot still freed.
    writer->StartPerf(L"A", L"", Perf_I, 0);
    const std::string started = Log(kPerfFile);
    writer->Enable(Perf_I, L"", 0);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"A", 0));
    EXPECT_EQ(Log(kPerfFile), started);
}

TEST_F(PerfTest, SlotsGrowBeyond256AndInitDropsThem) {
    writer->Enable(Perf_I, L"", 0);
    writer->Enable(Post, L"", 1);  // Post records: no label, no duplication to worry about
    for (int i = 0; i < 600; ++i) ASSERT_TRUE(writer->StartPerf(L"p" + std::to_wstring(i), L"", Post, 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 600);
    EXPECT_TRUE(writer->StopPerf(L"p599", 0));
    EXPECT_TRUE(writer->StopPerf(L"p300", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 599);
    EXPECT_TRUE(writer->IsPerfOpen(L"p0", 0));
    ASSERT_TRUE(writer->Init(folder.File(L"log.ini")));
    EXPECT_FALSE(writer->IsPerfOpen(L"p0", 0));
    EXPECT_EQ(writer->PerfSlotCount(0), 0);
}

TEST(MdlTimerTest, DurationAndClockFormats) {
    testing_support::FakeMachine machine;
    const std::pair<double, const wchar_t*> durations[] = {
        {0.0000005, L"0.500 us"}, {0.001, L"1.000 ms"}, {-0.25, L"250.000 ms"}, {1.0, L"1.000 s"},
        {60.0, L"1:00.000"},      {119.9996, L"2:00.000"}, {3600.0, L"1:00:00"},  {3725.0, L"1:02:05"},
        {7199.6, L"2:00:00"},     {360000.0, L"100:00:00"},
    };
    for (const auto& [seconds, text] : durations) EXPECT_EQ(FormatDuration(seconds), text) << seconds;
    const std::pair<double, const wchar_t*> clocks[] = {
        {3725.5, L"1:02:05.500000"}, {-61.000001, L"0:01:01.000001"}, {59.9999996, L"0:01:00.000000"},
        {360000.0, L"100:00:00.000000"},
    };
    for (const auto& [seconds, text] : clocks) EXPECT_EQ(FormatClock(seconds), text) << seconds;
    machine.system.decimalSeparator = L',';
    EXPECT_EQ(FormatDuration(0.25), L"250,000 ms");
    EXPECT_EQ(FormatDuration(61.25), L"1:01,250");
    EXPECT_EQ(FormatClock(1.5), L"0:00:01,500000");
}

TEST(MdlTimerTest, TicksComeFromTheCounterOrTheMillisecondClock) {
    testing_support::FakeMachine machine;
    machine.clock.frequency = 4000000;
    machine.clock.counter = 10000000;
    machine.clock.milliseconds = 77;
    EXPECT_TRUE(InitTimer());
    EXPECT_EQ(GetTicks(), 10000000);
    EXPECT_DOUBLE_EQ(GetElapsedSeconds(0, 6000000), 1.5);
    EXPECT_DOUBLE_EQ(GetElapsedSeconds(6000000, 0), -1.5);

    machine.clock.frequency = 0;
    EXPECT_FALSE(InitTimer());
    EXPECT_EQ(GetTicks(), 77);
    EXPECT_DOUBLE_EQ(GetElapsedSeconds(1000, 2500), 1.5);
}

}  // namespace
