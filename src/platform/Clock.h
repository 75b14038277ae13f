#pragma once
// Ticks and clocks.

#include <cstdint>

namespace platform {

struct LocalDateTime {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // High-resolution counter: frequency in ticks per second (0 when there is
    // no such counter) and the counter.
    virtual int64_t PerfFrequency() = 0;
    virtual int64_t PerfCounter() = 0;
    // Milliseconds since system start (wraps at 2^32).
    virtual uint32_t Milliseconds() = 0;
    // The local date and time now.
    virtual LocalDateTime Now() = 0;
};

}  // namespace platform
