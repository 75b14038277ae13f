#include "ui/win32/Win32CheckBox.h"

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32CheckBox::Win32CheckBox(Win32Window& objWindow, std::wstring strName, int16_t intIndex,
                             toolkit::Container& objParent, const Win32CheckBox* objTemplate)
    : Win32Control(objWindow, std::move(strName), intIndex, objParent) {
    mFocusable = true;
    if (objTemplate != nullptr) {
        CopyStateFrom(*objTemplate);
        mCaption = objTemplate->mCaption;
        mValue = objTemplate->Value();
    }
    // Every element starts hidden; the program shows the ones it uses.
    mVisible = false;
    Create(L"BUTTON", BS_AUTOCHECKBOX);
    if (mHwnd == nullptr) return;
    SetWindowTextW(mHwnd, mCaption.c_str());
    SendMessageW(mHwnd, BM_SETCHECK, mValue == toolkit::kChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32CheckBox::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    if (mHwnd != nullptr) SetWindowTextW(mHwnd, mCaption.c_str());
}

int16_t Win32CheckBox::Value() const {
    // The user ticks the box itself; the window knows best while it lives.
    if (mHwnd == nullptr) return mValue;
    return SendMessageW(mHwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? toolkit::kChecked : toolkit::kUnchecked;
}

void Win32CheckBox::Value(int16_t intValue) {
    mValue = intValue;
    if (mHwnd != nullptr) {
        SendMessageW(mHwnd, BM_SETCHECK, intValue == toolkit::kChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void Win32CheckBox::Detach() {
    mValue = Value();
    Win32ControlBase::Detach();
}

void Win32CheckBox::OnCommand(WORD wCode) {
    if (wCode != BN_CLICKED) return;
    mValue = Value();
    if (auto handler = OnClick) handler();
}

}  // namespace ui::win32
