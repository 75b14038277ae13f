#include "ui/qt/QtTimer.h"

namespace ui::qt {

QtTimer::QtTimer(std::wstring strName) : mName(std::move(strName)) {
    QObject::connect(&mTimer, &QTimer::timeout, this, [this] {
        if (OnTimer) OnTimer();
    });
}

void QtTimer::Rearm() {
    // Enabling or a new interval starts the count anew.
    if (mEnabled && mInterval > 0) {
        mTimer.start(mInterval);
    } else {
        mTimer.stop();
    }
}

void QtTimer::Interval(int32_t lngMilliseconds) {
    mInterval = lngMilliseconds;
    Rearm();
}

void QtTimer::Enabled(bool blnEnabled) {
    mEnabled = blnEnabled;
    Rearm();
}

void QtTimer::Stop() {
    mEnabled = false;
    mTimer.stop();
}

}  // namespace ui::qt
