#pragma once
// What every visible control of the seam offers. Properties are get/set pairs
// of the same name; write-only ones are layout settings that the program
// never reads back. Events are plain callbacks that the toolkit calls on the
// user-interface thread; an empty callback means nobody listens.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit/Types.h"

namespace ui::toolkit {

// Something controls are placed in: the window's client area or a picture box.
class Container {
public:
    virtual ~Container() = default;
    // The size available to children (inside any border).
    virtual Size InnerSize() const = 0;
};

class Control {
public:
    virtual ~Control() = default;

    // The layout's name ("lblVer"); Index is the element number within a
    // control array, -1 for a control that is not an array element.
    virtual const std::wstring& Name() const = 0;
    virtual int16_t Index() const = 0;
    // The container the control was created in.
    virtual Container& Parent() const = 0;

    virtual Rect Bounds() const = 0;
    virtual void Bounds(const Rect& rcBounds) = 0;
    virtual bool Visible() const = 0;
    virtual void Visible(bool blnVisible) = 0;
    virtual bool Enabled() const = 0;
    virtual void Enabled(bool blnEnabled) = 0;
    virtual FontInfo Font() const = 0;
    virtual void Font(const FontInfo& font) = 0;
    virtual Color ForeColor() const = 0;
    virtual void ForeColor(Color color) = 0;
    virtual Color BackColor() const = 0;
    virtual void BackColor(Color color) = 0;
    virtual std::wstring ToolTip() const = 0;
    virtual void ToolTip(std::wstring_view strText) = 0;
    virtual MousePointer Pointer() const = 0;
    virtual void Pointer(MousePointer pointer) = 0;

    // The cursor resource shown for MousePointer::Custom ("HAND").
    virtual void MouseIcon(std::wstring_view strCursorName) = 0;
    virtual void TabStop(bool blnTabStop) = 0;
    virtual void TabIndex(int16_t intTabIndex) = 0;
    virtual void Appearance(toolkit::Appearance appearance) = 0;
    // A single-line border, or none.
    virtual void Border(bool blnBorder) = 0;
    // In front of its siblings.
    virtual void BringToFront() = 0;
};

}  // namespace ui::toolkit
