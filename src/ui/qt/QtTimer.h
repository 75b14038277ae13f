#pragma once
// A timer on QTimer: ticks arrive from the event loop or a DoEvents.

#include <QObject>
#include <QTimer>

#include "ui/toolkit/Timer.h"

namespace ui::qt {

class QtTimer final : public QObject, public toolkit::Timer {
public:
    explicit QtTimer(std::wstring strName);

    const std::wstring& Name() const override { return mName; }
    int32_t Interval() const override { return mInterval; }
    void Interval(int32_t lngMilliseconds) override;
    bool Enabled() const override { return mEnabled; }
    void Enabled(bool blnEnabled) override;
    // Stops for good: the window is gone.
    void Stop();

private:
    void Rearm();

    std::wstring mName;
    QTimer mTimer;
    int32_t mInterval = 0;
    bool mEnabled = true;
};

}  // namespace ui::qt
