#include "ui/win32/Win32Toolkit.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Version.h"
#include "platform/Console.h"
#include "ui/FormControlSet.h"
#include "ui/win32/Win32Label.h"
#include "ui/win32/Win32PictureBox.h"
#include "ui/win32/Win32Window.h"

namespace ui::win32 {

namespace {

bool RegisterOne(const wchar_t* strClass, HICON icon) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Win32Window::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.lpszClassName = strClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Win32Toolkit::Win32Toolkit(bool blnQuietMessages) : mQuiet(blnQuietMessages) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ui::kWindowIcon));
    mReady = RegisterOne(kFormClass, icon) && RegisterOne(Win32PictureBox::kClassName, nullptr) &&
             RegisterOne(Win32Label::kClassName, nullptr);
}

Win32Toolkit::~Win32Toolkit() = default;

std::unique_ptr<toolkit::Window> Win32Toolkit::NewWindow(std::wstring_view strName) {
    return std::make_unique<Win32Window>(*this, std::wstring(strName));
}

int32_t Win32Toolkit::MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) {
    const std::wstring title = strTitle.empty() ? std::wstring(base::kProgramTitle) : std::wstring(strTitle);
    const std::wstring text(strText);
    if (mQuiet) {
        mQuietMessages.push_back(text);
        platform::SystemConsole().Write(platform::ConsoleStream::Error, title + L": " + text + L"\n");
        return toolkit::kMsgAnswerOk;
    }
    HWND owner = nullptr;
    for (Win32Window* window : mWindows) {
        if (window->Loaded()) owner = window->Handle();
    }
    const int answer = MessageBoxW(owner, text.c_str(), title.c_str(), lngFlags | MB_SETFOREGROUND);
    return answer > 0 ? answer : toolkit::kMsgAnswerOk;
}

void Win32Toolkit::Dispatch(MSG& msg) {
    // Tab, Escape, Enter and the access keys work as in a dialog.
    for (Win32Window* window : mWindows) {
        if (window->Loaded() && IsDialogMessageW(window->Handle(), &msg)) return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32Toolkit::DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // For the loop further out.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

void Win32Toolkit::Run(toolkit::Window& objWindow) {
    MSG msg;
    while (objWindow.Loaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) return;
        Dispatch(msg);
    }
}

void Win32Toolkit::Register(Win32Window& objWindow) {
    mWindows.push_back(&objWindow);
}

void Win32Toolkit::Unregister(Win32Window& objWindow) {
    std::erase(mWindows, &objWindow);
}

}  // namespace ui::win32
