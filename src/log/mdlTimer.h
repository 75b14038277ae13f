#pragma once
// Process-wide tick source of the log writer and the two text forms of a
// duration. The high-resolution counter is used when the system has one,
// otherwise the millisecond clock with a frequency of 1000.

#include <cstdint>
#include <string>

namespace mdlTimer {

// Chooses the tick source; true when the high-resolution counter is used.
bool InitTimer() noexcept;
int64_t GetTicks() noexcept;
// (curEnd - curStart) / frequency.
double GetElapsedSeconds(int64_t curStart, int64_t curEnd) noexcept;

// A duration with its unit: "0.500 us", "250.000 ms", "59.500 s",
// "1:01.250" (minutes), "1:02:05" (hours). The sign is dropped.
std::wstring FormatDuration(double dblSeconds);
// Hours, minutes and seconds with six decimals: "1:02:05.500000".
std::wstring FormatClock(double dblSeconds);

}  // namespace mdlTimer
