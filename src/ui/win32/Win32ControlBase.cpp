#include "ui/win32/Win32ControlBase.h"

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

namespace {

constexpr const wchar_t* kControlProperty = L"Quorvex.Control";

}  // namespace

Win32ControlBase::Win32ControlBase(Win32Window& objWindow, std::wstring strName, int16_t intIndex,
                                   toolkit::Container& objParent)
    : mWindow(objWindow), mName(std::move(strName)), mIndex(intIndex), mParent(&objParent) {}

Win32ControlBase::~Win32ControlBase() {
    if (mHwnd != nullptr) {
        RemovePropW(mHwnd, kControlProperty);
        DestroyWindow(mHwnd);
    }
}

Win32ControlBase* Win32ControlBase::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<Win32ControlBase*>(GetPropW(hwnd, kControlProperty)) : nullptr;
}

void Win32ControlBase::Create(const wchar_t* strClass, DWORD dwStyle, DWORD dwExStyle) {
    HWND parent = mWindow.ContainerHandle(*mParent);
    if (parent == nullptr) return;
    if (mVisible) dwStyle |= WS_VISIBLE;
    if (!mEnabled) dwStyle |= WS_DISABLED;
    if (mFocusable && mTabStop) dwStyle |= WS_TABSTOP;
    const int id = mWindow.NextControlId();
    mHwnd = CreateWindowExW(dwExStyle, strClass, L"", WS_CHILD | WS_CLIPSIBLINGS | dwStyle, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (mHwnd == nullptr) return;
    SetPropW(mHwnd, kControlProperty, this);
    // Newest on top, so a later sibling paints over an earlier one.
    SetWindowPos(mHwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    mWindow.Adopt(*this);
    ApplyBorder();
    Layout();
}

void Win32ControlBase::CopyStateFrom(const Win32ControlBase& other) {
    mBounds = other.mBounds;
    mEnabled = other.mEnabled;
    mFont = other.mFont;
    mForeColor = other.mForeColor;
    mBackColor = other.mBackColor;
    mPointer = other.mPointer;
    mCursor = other.mCursor;
    mTabStop = other.mTabStop;
    mAppearance = other.mAppearance;
    mBorder = other.mBorder;
    mTransparent = other.mTransparent;
    mParent = other.mParent;
}

void Win32ControlBase::Layout() {
    if (mHwnd == nullptr) return;
    // Both edges rounded, so neighbours that touch in twips touch in pixels.
    const int left = mWindow.Pixels(mBounds.Left);
    const int top = mWindow.Pixels(mBounds.Top);
    const int right = mWindow.Pixels(mBounds.Left + mBounds.Width);
    const int bottom = mWindow.Pixels(mBounds.Top + mBounds.Height);
    SetWindowPos(mHwnd, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(mHwnd, WM_SETFONT, reinterpret_cast<WPARAM>(mWindow.FontHandle(mFont)), TRUE);
}

HBRUSH Win32ControlBase::OnColor(HDC hdc) {
    SetTextColor(hdc, Win32Window::Resolve(mEnabled ? mForeColor : toolkit::kSystemColorFlag | COLOR_GRAYTEXT));
    SetBkColor(hdc, Win32Window::Resolve(mBackColor));
    return mWindow.Brush(mBackColor);
}

void Win32ControlBase::PushStyle(DWORD dwAdd, DWORD dwRemove, bool blnExtended) {
    if (mHwnd == nullptr) return;
    const int which = blnExtended ? GWL_EXSTYLE : GWL_STYLE;
    const LONG_PTR style = GetWindowLongPtrW(mHwnd, which);
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(dwRemove)) | static_cast<LONG_PTR>(dwAdd);
    if (changed == style) return;
    SetWindowLongPtrW(mHwnd, which, changed);
    SetWindowPos(mHwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Win32ControlBase::Repaint() const {
    if (mHwnd == nullptr) return;
    // Through the parent: a transparent sibling underneath must show too.
    RECT rc;
    GetWindowRect(mHwnd, &rc);
    HWND parent = GetParent(mHwnd);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32ControlBase::SetBounds(const toolkit::Rect& rcBounds) {
    mBounds = rcBounds;
    Layout();
}

void Win32ControlBase::SetVisible(bool blnVisible) {
    mVisible = blnVisible;
    if (mHwnd != nullptr) ShowWindow(mHwnd, blnVisible ? SW_SHOWNA : SW_HIDE);
}

void Win32ControlBase::SetEnabled(bool blnEnabled) {
    mEnabled = blnEnabled;
    if (mHwnd != nullptr) EnableWindow(mHwnd, blnEnabled ? TRUE : FALSE);
}

void Win32ControlBase::SetFont(const toolkit::FontInfo& font) {
    mFont = font;
    if (mHwnd != nullptr) SendMessageW(mHwnd, WM_SETFONT, reinterpret_cast<WPARAM>(mWindow.FontHandle(mFont)), TRUE);
    Repaint();
}

void Win32ControlBase::SetForeColor(toolkit::Color color) {
    mForeColor = color;
    Repaint();
}

void Win32ControlBase::SetBackColor(toolkit::Color color) {
    mBackColor = color;
    Repaint();
}

void Win32ControlBase::SetToolTip(std::wstring_view strText) {
    mToolTip = strText;
    if (mHwnd != nullptr) mWindow.SetToolTip(mHwnd, mToolTip);
}

void Win32ControlBase::SetPointer(toolkit::MousePointer pointer) {
    mPointer = pointer;
    mWindow.RefreshCursor();
}

void Win32ControlBase::SetTabStop(bool blnTabStop) {
    mTabStop = blnTabStop;
    if (mFocusable) PushStyle(blnTabStop ? WS_TABSTOP : 0, blnTabStop ? 0 : WS_TABSTOP, false);
}

void Win32ControlBase::SetTabIndex(int16_t intTabIndex) {
    mTabIndex = intTabIndex;
    mTabIndexSet = true;
    if (mHwnd != nullptr) mWindow.SortTabOrder(GetParent(mHwnd));
}

void Win32ControlBase::SetAppearance(toolkit::Appearance appearance) {
    mAppearance = appearance;
    ApplyBorder();
}

void Win32ControlBase::SetBorder(bool blnBorder) {
    mBorder = blnBorder;
    ApplyBorder();
}

void Win32ControlBase::ApplyBorder() {
    // Flat: a single line; 3D: the sunken client edge.
    const bool flat = mAppearance == toolkit::Appearance::Flat;
    PushStyle(mBorder && flat ? WS_BORDER : 0, mBorder && flat ? 0 : WS_BORDER, false);
    PushStyle(mBorder && !flat ? WS_EX_CLIENTEDGE : 0, mBorder && !flat ? 0 : WS_EX_CLIENTEDGE, true);
}

void Win32ControlBase::BringToTop() {
    if (mHwnd != nullptr) SetWindowPos(mHwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace ui::win32
