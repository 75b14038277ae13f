#include "ui/win32/Win32PictureBox.h"

#include <algorithm>

#include "ui/win32/Win32Window.h"

namespace ui::win32 {

Win32PictureBox::Win32PictureBox(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent)
    : Win32Control(objWindow, std::move(strName), -1, objParent) {
    Create(kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

Win32PictureBox::~Win32PictureBox() {
    if (mPicture != nullptr) DeleteObject(mPicture);
}

toolkit::Size Win32PictureBox::InnerSize() const {
    if (mHwnd == nullptr) {
        const toolkit::Twips border = mBorder ? mWindow.Twips(mAppearance == toolkit::Appearance::Flat ? 1 : 2) : 0;
        return {std::max<toolkit::Twips>(0, mBounds.Width - 2 * border),
                std::max<toolkit::Twips>(0, mBounds.Height - 2 * border)};
    }
    // What the children really get: the client area inside the border.
    RECT client;
    GetClientRect(mHwnd, &client);
    const toolkit::Twips borderW = mBounds.Width - mWindow.Twips(client.right);
    const toolkit::Twips borderH = mBounds.Height - mWindow.Twips(client.bottom);
    return {std::max<toolkit::Twips>(0, mBounds.Width - borderW), std::max<toolkit::Twips>(0, mBounds.Height - borderH)};
}

void Win32PictureBox::Picture(std::wstring_view strResourceName) {
    if (mPicture != nullptr) DeleteObject(mPicture);
    mPicture = nullptr;
    if (!strResourceName.empty()) {
        const std::wstring name(strResourceName);
        mPicture = static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    Repaint();
}

void Win32PictureBox::PaintBackground(HDC hdc, const RECT& rcArea) {
    FillRect(hdc, &rcArea, mWindow.Brush(mBackColor));
    if (mPicture == nullptr) return;
    BITMAP info{};
    GetObjectW(mPicture, sizeof info, &info);
    HDC source = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(source, mPicture);
    const int width = MulDiv(info.bmWidth, static_cast<int>(mWindow.Dpi()), 96);
    const int height = MulDiv(info.bmHeight, static_cast<int>(mWindow.Dpi()), 96);
    HRGN clip = CreateRectRgnIndirect(&rcArea);
    // rcArea is in the frame's coordinates; the region is in the device's.
    POINT origin{};
    GetViewportOrgEx(hdc, &origin);
    OffsetRgn(clip, origin.x, origin.y);
    const int saved = SaveDC(hdc);
    ExtSelectClipRgn(hdc, clip, RGN_AND);
    if (width == info.bmWidth && height == info.bmHeight) {
        BitBlt(hdc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(hdc, HALFTONE);
        SetBrushOrgEx(hdc, origin.x, origin.y, nullptr);
        StretchBlt(hdc, 0, 0, width, height, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    RestoreDC(hdc, saved);
    DeleteObject(clip);
    SelectObject(source, old);
    DeleteDC(source);
}

}  // namespace ui::win32
