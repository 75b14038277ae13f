#include <gtest/gtest.h>

#include "log/LogWriterFixture.h"

namespace {

using namespace mdlLog;
using log_testing::kStamp;

constexpr wchar_t kPerfFile[] = L"PERFORMANCE_Quorvex_261206.TXT";

class PerfTest : public log_testing::LogWriterTest {
protected:
    void SetUp() override { Start("[Default]\nPerf_I=ON\nPerf_SQL=ON\n"); }
    void StartAll(std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names) ASSERT_TRUE(writer->StartPerf(name, L"", Perf_I, 0));
    }
    // Names of the finished records in the performance file, in order.
    std::vector<std::string> Finished() const {
        std::vector<std::string> names;
        const std::string text = Log(kPerfFile);
        const std::string marker = "Performance finished, id=\"";
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
            const size_t from = at + marker.size();
            names.push_back(text.substr(from, text.find('"', from) - from));
        }
        return names;
    }
};

TEST_F(PerfTest, StartAndStopWriteTheirRecords) {
    machine.clock.Advance(2.0);
    EXPECT_TRUE(writer->StartPerf(L"A", L"loading", Perf_I, 0));
    EXPECT_TRUE(writer->IsPerfOpen(L"A", 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"a", 0)) << "names are case-sensitive";
    machine.clock.Advance(0.25);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"A", 0));
    const std::string head = std::string("Perf_I:   ") + kStamp;
    EXPECT_EQ(Log(kPerfFile), head + " \"Timestamp=0:00:02.000000\"  \tPerformance started, id=\"A\"\r\n" + head +
                                  " \"Timestamp=0:00:02.250000\"  \tPerformance finished, id=\"A\"\r\n"
                                  "\t\tloading\r\n"
                                  "\t\t================================\r\n"
                                  "\t\tRunning time=250.000 ms\r\n"
                                  "\t\t\r\n");
}

TEST_F(PerfTest, WithoutAHighResolutionCounterTheMillisecondClockTimes) {
    machine.clock.frequency = 0;
    Start("[Default]\nPerf_SQL=ON\n");
    machine.clock.Advance(1.5);
    writer->StartPerf(L"M", L"", Perf_SQL, 0);
    machine.clock.Advance(61.25);
    writer->StopPerf(L"M", 0);
    const std::string text = Log(kPerfFile);
    EXPECT_NE(text.find(std::string("Perf_SQL: ") + kStamp + " \"Timestamp=0:00:01.500000\"  \tPerformance started"),
              std::string::npos);
    EXPECT_NE(text.find("Running time=1:01.250\r\n"), std::string::npos);
}

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
    EXPECT_EQ(Finished(), (std::vector<std::string>{"B", "C", "A"}));

    // An empty name stops every open measurement, newest first.
    EXPECT_FALSE(writer->StopPerf(L"", 0)) << "nothing open";
    StartAll({L"D", L"E", L"F", L"G"});
    writer->StopPerf(L"E", 0);
    EXPECT_TRUE(writer->StopPerf(L"", 0));
    EXPECT_EQ(Finished(), (std::vector<std::string>{"B", "C", "A", "E", "G", "F", "D"}));
    EXPECT_EQ(writer->PerfSlotCount(0), 0);
}

TEST_F(PerfTest, SameNameTwiceStopsTheNewerFirst) {
    writer->StartPerf(L"A", L"older", Perf_I, 0);
    writer->StartPerf(L"A", L"newer", Perf_I, 0);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_TRUE(writer->IsPerfOpen(L"A", 0));
    EXPECT_NE(Log(kPerfFile).find("\t\tnewer\r\n"), std::string::npos);
    EXPECT_EQ(Log(kPerfFile).find("\t\tolder\r\n"), std::string::npos);
    EXPECT_TRUE(writer->StopPerf(L"A", 0));
    EXPECT_FALSE(writer->IsPerfOpen(L"A", 0));
}

TEST_F(PerfTest, RefusedAndSwitchedOffMeasurements) {
    const int32_t other = writer->GetComponentId(L"Other");
    const std::pair<int32_t, int32_t> refused[] = {{Perf_II, 0}, {9, 0}, {-1, 0}, {Perf_I, other + 1}};
    for (const auto& [type, component] : refused) EXPECT_FALSE(writer->StartPerf(L"X", L"", type, component));
    EXPECT_FALSE(writer->StartPerf(L"", L"", Perf_I, 0));
    EXPECT_FALSE(writer->StopPerf(L"X", -1));
    EXPECT_FALSE(writer->IsPerfOpen(L"X", 7));
    EXPECT_FALSE(Exists(kPerfFile));
    EXPECT_FALSE(Exists(L"PERFORMANCE_II_Quorvex_261206.TXT"));

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

}  // namespace
