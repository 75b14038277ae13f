#pragma once
// The window toolkit on plain Win32: window classes, the message loop, the
// pump that lets messages run during a check, and message boxes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/Toolkit.h"

namespace ui::win32 {

class Win32Window;

class Win32Toolkit final : public toolkit::Toolkit {
public:
    static constexpr const wchar_t* kFormClass = L"QuorvexForm";

    // blnQuietMessages: message boxes are not shown but written to the
    // standard error stream and kept (unattended runs and tests).
    explicit Win32Toolkit(bool blnQuietMessages = false);
    ~Win32Toolkit() override;

    // False when the window classes could not be registered.
    bool Ready() const { return mReady; }

    std::unique_ptr<toolkit::Window> NewWindow(std::wstring_view strName) override;
    int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) override;
    void DoEvents() override;
    void Run(toolkit::Window& objWindow) override;

    // The texts of the message boxes that were kept instead of shown.
    const std::vector<std::wstring>& QuietMessages() const { return mQuietMessages; }

    void Register(Win32Window& objWindow);
    void Unregister(Win32Window& objWindow);

private:
    void Dispatch(MSG& msg);

    bool mReady = false;
    bool mQuiet = false;
    std::vector<std::wstring> mQuietMessages;
    std::vector<Win32Window*> mWindows;
};

}  // namespace ui::win32
