#include "ui/win32/Win32Timer.h"

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32Timer::Win32Timer(Win32Window& objWindow, std::wstring strName, UINT_PTR id)
    : mWindow(objWindow), mName(std::move(strName)), mId(id) {}

Win32Timer::~Win32Timer() {
    Stop();
}

void Win32Timer::Interval(int32_t lngMilliseconds) {
    mInterval = lngMilliseconds;
    Arm();
}

void Win32Timer::Enabled(bool blnEnabled) {
    mEnabled = blnEnabled;
    Arm();
}

void Win32Timer::Arm() {
    // Setting it again restarts the count, as enabling a timer does.
    if (mEnabled && mInterval > 0 && mWindow.Handle() != nullptr) {
        SetTimer(mWindow.Handle(), mId, static_cast<UINT>(mInterval), nullptr);
    } else {
        Stop();
    }
}

void Win32Timer::Stop() {
    if (mWindow.Handle() != nullptr) KillTimer(mWindow.Handle(), mId);
}

void Win32Timer::Tick() {
    if (!mEnabled || mInterval <= 0 || !mWindow.Loaded()) return;
    if (auto handler = OnTimer) handler();
}

}  // namespace ui::win32
