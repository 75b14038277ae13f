#include "platform/posix/PosixClock.h"

#include <ctime>

namespace platform::posix {

int64_t PosixClock::PerfCounter() {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

uint32_t PosixClock::Milliseconds() {
    // Wraps at 2^32 like the system's millisecond clock.
    return static_cast<uint32_t>(static_cast<uint64_t>(PerfCounter() / 1000000));
}

LocalDateTime PosixClock::Now() {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm parts {};
    const time_t seconds = now.tv_sec;
    ::localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
            parts.tm_min,         parts.tm_sec,    static_cast<int>(now.tv_nsec / 1000000)};
}

}  // namespace platform::posix
