#include <gtest/gtest.h>

#include "fakes/FakeMachine.h"
#include "log/mdlTimer.h"

namespace {

using namespace mdlTimer;

TEST(MdlTimerTest, DurationAndClockFormats) {
    testing_support::FakeMachine machine;
    const std::pair<double, const wchar_t*> durations[] = {
        {0.0000005, L"0.500 us"}, {0.001, L"1.000 ms"},  {-0.25, L"250.000 ms"}, {1.0, L"1.000 s"},
        {59.5, L"59.500 s"},      {60.0, L"1:00.000"},   {119.9996, L"2:00.000"}, {3599.0, L"59:59.000"},
        {3600.0, L"1:00:00"},     {3725.0, L"1:02:05"},  {7199.6, L"2:00:00"},    {360000.0, L"100:00:00"},
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
