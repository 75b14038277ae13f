// The Linux build's window front end: the Qt window whenever a display can
// be opened.

#include "ui/WindowFrontEnd.h"
#include "ui/qt/QtToolkit.h"

namespace ui {

std::unique_ptr<toolkit::Toolkit> OpenWindowToolkit(const std::vector<std::wstring>&) {
    const bool blnWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool blnX11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (!blnWayland && !blnX11) return nullptr;
    // The user's own choice of platform plugin comes first; otherwise the
    // native Wayland one, then X11 (also through XWayland).
    QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platforms.isEmpty()) {
        if (blnWayland) platforms = QStringLiteral("wayland");
        if (blnX11) platforms += platforms.isEmpty() ? QStringLiteral("xcb") : QStringLiteral(";xcb");
    }
    return qt::QtToolkit::Open(platforms);
}

}  // namespace ui
