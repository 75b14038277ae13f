#pragma once
// A timer on the window's message queue (SetTimer): ticks arrive as
// WM_TIMER while the program lets messages run.

#include <windows.h>

#include "ui/toolkit/Timer.h"

namespace ui::win32 {

class Win32Window;

class Win32Timer final : public toolkit::Timer {
public:
    Win32Timer(Win32Window& objWindow, std::wstring strName, UINT_PTR id);
    ~Win32Timer() override;

    const std::wstring& Name() const override { return mName; }
    int32_t Interval() const override { return mInterval; }
    void Interval(int32_t lngMilliseconds) override;
    bool Enabled() const override { return mEnabled; }
    void Enabled(bool blnEnabled) override;

    UINT_PTR Id() const { return mId; }
    void Tick();
    void Stop();

private:
    void Arm();

    Win32Window& mWindow;
    std::wstring mName;
    UINT_PTR mId;
    int32_t mInterval = 0;
    bool mEnabled = false;
};

}  // namespace ui::win32
