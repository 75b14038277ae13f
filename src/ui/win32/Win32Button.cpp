#include "ui/win32/Win32Button.h"

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32Button::Win32Button(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent)
    : Win32Control(objWindow, std::move(strName), -1, objParent) {
    mFocusable = true;
    Create(L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE);
}

void Win32Button::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    if (mHwnd != nullptr) SetWindowTextW(mHwnd, mCaption.c_str());
}

void Win32Button::SetFocus() {
    if (mHwnd != nullptr) ::SetFocus(mHwnd);
}

bool Win32Button::HasFocus() const {
    return mHwnd != nullptr && GetFocus() == mHwnd;
}

void Win32Button::OnCommand(WORD wCode) {
    if (wCode == BN_CLICKED) Click();
}

bool Win32Button::Click() {
    if (!mEnabled || !mVisible || mHwnd == nullptr) return false;
    // A copy: the handler may replace the callback while it runs.
    if (auto handler = OnClick) handler();
    return true;
}

}  // namespace ui::win32
