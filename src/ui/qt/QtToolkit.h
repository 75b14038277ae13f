#pragma once
// The toolkit seam on Qt Widgets: windows, message boxes, DoEvents as
// processEvents, and Run as an event loop that lasts until the window is
// unloaded.

#include <QApplication>
#include <QEventLoop>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/Toolkit.h"

namespace ui::qt {

class QtToolkit final : public toolkit::Toolkit {
public:
    // On the application object that exists already.
    QtToolkit();
    ~QtToolkit() override;
    QtToolkit(const QtToolkit&) = delete;
    QtToolkit& operator=(const QtToolkit&) = delete;

    // Makes the application object on the first of the platform plugins
    // listed ("wayland;xcb") that can open its display; null when none can.
    static std::unique_ptr<QtToolkit> Open(const QString& strPlatforms);

    std::unique_ptr<toolkit::Window> NewWindow(std::wstring_view strName) override;
    int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) override;
    void DoEvents() override;
    void Run(toolkit::Window& objWindow) override;

    // A window of this toolkit went away: Run may return.
    void WindowUnloaded();

private:
    static void Prepare();

    // QApplication keeps references to argc and argv: they outlive it.
    int mArgc = 0;
    std::vector<std::string> mArgText;
    std::vector<char*> mArgv;
    std::unique_ptr<QApplication> mApp;
    QEventLoop* mLoop = nullptr;
};

}  // namespace ui::qt
