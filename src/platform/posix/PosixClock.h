#pragma once

#include "platform/Clock.h"

namespace platform::posix {

class PosixClock final : public Clock {
public:
    int64_t PerfFrequency() override { return 1000000000; }
    int64_t PerfCounter() override;
    uint32_t Milliseconds() override;
    LocalDateTime Now() override;
};

}  // namespace platform::posix
