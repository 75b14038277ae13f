#pragma once
// A timer: while enabled with an interval above 0 it calls OnTimer every
// interval. Enabling it, or setting the interval, starts the count anew.
// Ticks are delivered only while the program lets messages run.

#include <cstdint>
#include <functional>
#include <string>

namespace ui::toolkit {

class Timer {
public:
    virtual ~Timer() = default;
    virtual const std::wstring& Name() const = 0;
    virtual int32_t Interval() const = 0;  // milliseconds
    virtual void Interval(int32_t lngMilliseconds) = 0;
    virtual bool Enabled() const = 0;
    virtual void Enabled(bool blnEnabled) = 0;

    std::function<void()> OnTimer;
};

}  // namespace ui::toolkit
