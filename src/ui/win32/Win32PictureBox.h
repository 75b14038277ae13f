#pragma once
// A frame that holds controls: a window of the program's own class that
// paints its background colour and its picture (a bitmap resource, drawn
// from the top-left corner at the window's scale and cut at the frame).

#include "ui/toolkit/PictureBox.h"
#include "ui/win32/Win32ControlBase.h"

namespace ui::win32 {

class Win32PictureBox final : public Win32Control<toolkit::PictureBox> {
public:
    static constexpr const wchar_t* kClassName = L"QuorvexFrame";

    Win32PictureBox(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent);
    ~Win32PictureBox() override;

    toolkit::Size InnerSize() const override;
    void Picture(std::wstring_view strResourceName) override;

    // Paints the background of rcArea (client pixels) into hdc.
    void PaintBackground(HDC hdc, const RECT& rcArea);

private:
    HBITMAP mPicture = nullptr;
};

}  // namespace ui::win32
