#pragma once
// A label: a window of the program's own class that paints its text itself,
// so that a transparent label shows its container's background and picture,
// and the labels underneath it, through its own background.

#include "ui/toolkit/Label.h"
#include "ui/win32/Win32ControlBase.h"

namespace ui::win32 {

class Win32Label final : public Win32Control<toolkit::Label> {
public:
    static constexpr const wchar_t* kClassName = L"QuorvexLabel";

    Win32Label(Win32Window& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    void Transparent(bool blnTransparent) override;

    void Layout() override;
    void Paint(HDC hdc);
    // Draws the caption into hdc with the label's top-left corner at
    // (x, y): also used by a transparent label lying over this one.
    void DrawCaption(HDC hdc, int x, int y) const;
    void MouseDown() { mPressed = true; }
    void MouseUp(bool blnInside);

private:
    std::wstring mCaption;
    bool mPressed = false;
};

}  // namespace ui::win32
