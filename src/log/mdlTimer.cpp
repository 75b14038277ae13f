#include "log/mdlTimer.h"

#include <cmath>

#include "base/Text.h"
#include "platform/Machine.h"

namespace mdlTimer {

namespace {

struct TimerState {
    bool mblnHighResolution = false;
    double mdblFrequency = 1000.0;
};

TimerState& State() {
    static TimerState state;
    return state;
}

// Whole numbers this large cannot come from real ticks; clamping keeps the
// integer arithmetic below defined for any input.
constexpr double kMaxSeconds = 9.0e12;

double Magnitude(double dblSeconds) {
    const double s = std::fabs(dblSeconds);
    if (std::isnan(s)) return 0.0;
    return s > kMaxSeconds ? kMaxSeconds : s;
}

std::wstring Padded(int64_t value, size_t width) {
    std::wstring text = base::DecStr(value);
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

// value (not negative) with exactly three decimals and the locale's decimal sign.
std::wstring ThreeDecimals(double value) {
    const int64_t thousandths = std::llround(value * 1000.0);
    return base::DecStr(thousandths / 1000) + platform::Host().system->DecimalSeparator() + Padded(thousandths % 1000, 3);
}

}  // namespace

bool InitTimer() noexcept {
    TimerState& state = State();
    state.mblnHighResolution = false;
    state.mdblFrequency = 1000.0;
    try {
        const int64_t frequency = platform::Host().clock->PerfFrequency();
        if (frequency > 0) {
            state.mblnHighResolution = true;
            state.mdblFrequency = static_cast<double>(frequency);
        }
    } catch (...) {
    }
    return state.mblnHighResolution;
}

int64_t GetTicks() noexcept {
    try {
        platform::Clock& clock = *platform::Host().clock;
        return State().mblnHighResolution ? clock.PerfCounter() : static_cast<int64_t>(clock.Milliseconds());
    } catch (...) {
        return 0;
    }
}

double GetElapsedSeconds(int64_t curStart, int64_t curEnd) noexcept {
    // Wrapping subtraction: defined for any pair of tick counts.
    const auto difference = static_cast<int64_t>(static_cast<uint64_t>(curEnd) - static_cast<uint64_t>(curStart));
    return static_cast<double>(difference) / State().mdblFrequency;
}

std::wstring FormatDuration(double dblSeconds) {
    const double s = Magnitude(dblSeconds);
    if (s < 0.001) return ThreeDecimals(s * 1000000.0) + L" us";
    if (s < 1.0) return ThreeDecimals(s * 1000.0) + L" ms";
    if (s < 60.0) return ThreeDecimals(s) + L" s";
    if (s < 3600.0) {
        // Rounded to the shown precision before splitting, so that 119.9996 s
        // reads 2:00.000 and never 1:60.000.
        const int64_t milliseconds = std::llround(s * 1000.0);
        const int64_t minutes = milliseconds / 60000;
        const int64_t rest = milliseconds % 60000;
        return base::DecStr(minutes) + L":" + Padded(rest / 1000, 2) + platform::Host().system->DecimalSeparator() +
               Padded(rest % 1000, 3);
    }
    const int64_t seconds = std::llround(s);
    return base::DecStr(seconds / 3600) + L":" + Padded(seconds / 60 % 60, 2) + L":" + Padded(seconds % 60, 2);
}

std::wstring FormatClock(double dblSeconds) {
    const int64_t microseconds = std::llround(Magnitude(dblSeconds) * 1000000.0);
    const int64_t seconds = microseconds / 1000000;
    return base::DecStr(seconds / 3600) + L":" + Padded(seconds / 60 % 60, 2) + L":" + Padded(seconds % 60, 2) +
           platform::Host().system->DecimalSeparator() + Padded(microseconds % 1000000, 6);
}

}  // namespace mdlTimer
