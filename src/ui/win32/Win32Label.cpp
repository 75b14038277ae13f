#include "ui/win32/Win32Label.h"

#include <algorithm>

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32Label::Win32Label(Win32Window& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent)
    : Win32Control(objWindow, std::move(strName), intIndex, objParent) {
    // SS_NOTIFY-like: the label takes clicks and shows tool tips.
    Create(kClassName, 0);
}

void Win32Label::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    // The window text too, for screen readers and for anyone who asks.
    if (mHwnd != nullptr) SetWindowTextW(mHwnd, mCaption.c_str());
    Layout();
    Repaint();
}

void Win32Label::Layout() {
    Win32ControlBase::Layout();
    if (mHwnd == nullptr || mCaption.empty() || mCaption.find(L'\n') != std::wstring::npos) return;
    // A one-line label too narrow for its one-line text (the version label
    // in a font wider than the one it was laid out for) widens to the left,
    // keeping its right edge, instead of wrapping the text out of sight.
    RECT rc;
    GetWindowRect(mHwnd, &rc);
    MapWindowPoints(nullptr, GetParent(mHwnd), reinterpret_cast<POINT*>(&rc), 2);
    HDC hdc = GetDC(mHwnd);
    HGDIOBJ old = SelectObject(hdc, mWindow.FontHandle(mFont));
    SIZE text{};
    GetTextExtentPoint32W(hdc, mCaption.c_str(), static_cast<int>(mCaption.size()), &text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(hdc, &metrics);
    SelectObject(hdc, old);
    ReleaseDC(mHwnd, hdc);
    const int width = rc.right - rc.left;
    if (text.cx <= width || rc.bottom - rc.top >= 2 * metrics.tmHeight) return;
    const int left = std::max(0L, rc.right - text.cx - 2);  // italic overhang
    SetWindowPos(mHwnd, nullptr, left, rc.top, rc.right - left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Label::Transparent(bool blnTransparent) {
    mTransparent = blnTransparent;
    Repaint();
}

void Win32Label::Paint(HDC hdc) {
    RECT client;
    GetClientRect(mHwnd, &client);
    if (mTransparent) {
        RECT area = client;
        MapWindowPoints(mHwnd, GetParent(mHwnd), reinterpret_cast<POINT*>(&area), 2);
        const POINT origin{-area.left, -area.top};
        POINT old;
        SetViewportOrgEx(hdc, origin.x, origin.y, &old);
        mWindow.PaintContainerBackground(hdc, *mParent, area);
        // Transparent labels underneath show through (a shadowed title is
        // two labels, one a pixel off the other).
        std::vector<HWND> below;
        for (HWND sibling = GetWindow(mHwnd, GW_HWNDNEXT); sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
            below.push_back(sibling);
        }
        for (auto it = below.rbegin(); it != below.rend(); ++it) {
            auto* label = dynamic_cast<Win32Label*>(FromHandle(*it));
            if (label == nullptr || !label->mVisible || !IsWindowVisible(*it)) continue;
            RECT other;
            GetWindowRect(*it, &other);
            MapWindowPoints(nullptr, GetParent(mHwnd), reinterpret_cast<POINT*>(&other), 2);
            RECT overlap;
            if (IntersectRect(&overlap, &other, &area)) label->DrawCaption(hdc, other.left, other.top);
        }
        SetViewportOrgEx(hdc, old.x, old.y, nullptr);
    } else {
        FillRect(hdc, &client, mWindow.Brush(mBackColor));
    }
    DrawCaption(hdc, 0, 0);
}

void Win32Label::DrawCaption(HDC hdc, int x, int y) const {
    if (mCaption.empty() || mHwnd == nullptr) return;
    RECT rc;
    GetClientRect(mHwnd, &rc);
    OffsetRect(&rc, x, y);
    HGDIOBJ oldFont = SelectObject(hdc, mWindow.FontHandle(mFont));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, Win32Window::Resolve(mEnabled ? mForeColor : toolkit::kSystemColorFlag | COLOR_GRAYTEXT));
    // Long texts wrap at word boundaries; an "&" is shown as it is.
    DrawTextW(hdc, mCaption.c_str(), static_cast<int>(mCaption.size()), &rc,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(hdc, oldFont);
}

void Win32Label::MouseUp(bool blnInside) {
    const bool pressed = mPressed;
    mPressed = false;
    if (!pressed || !blnInside || !mEnabled) return;
    if (auto handler = OnClick) handler();
}

}  // namespace ui::win32
