#pragma once
// Performance counter, tick count and local time.

#include "platform/Clock.h"

namespace platform::win32 {

class Win32Clock final : public Clock {
public:
    int64_t PerfFrequency() override;
    int64_t PerfCounter() override;
    uint32_t Milliseconds() override;
    LocalDateTime Now() override;
};

}  // namespace platform::win32
