#pragma once
// The seam's Control members on top of QtControlBase, for each control kind.

#include "ui/qt/QtControlBase.h"

namespace ui::qt {

template <class Interface>
class QtControl : public Interface, public QtControlBase {
public:
    using QtControlBase::QtControlBase;

    const std::wstring& Name() const override { return mName; }
    int16_t Index() const override { return mIndex; }
    toolkit::Container& Parent() const override { return ParentContainer(); }
    toolkit::Rect Bounds() const override { return mBounds; }
    void Bounds(const toolkit::Rect& rcBounds) override { SetBounds(rcBounds); }
    bool Visible() const override { return mVisible; }
    void Visible(bool blnVisible) override { SetVisible(blnVisible); }
    bool Enabled() const override { return mEnabled; }
    void Enabled(bool blnEnabled) override { SetEnabled(blnEnabled); }
    toolkit::FontInfo Font() const override { return mFont; }
    void Font(const toolkit::FontInfo& font) override { SetFont(font); }
    toolkit::Color ForeColor() const override { return mForeColor; }
    void ForeColor(toolkit::Color color) override { SetForeColor(color); }
    toolkit::Color BackColor() const override { return mBackColor; }
    void BackColor(toolkit::Color color) override { SetBackColor(color); }
    std::wstring ToolTip() const override { return mToolTip; }
    void ToolTip(std::wstring_view strText) override { SetToolTip(strText); }
    toolkit::MousePointer Pointer() const override { return mPointer; }
    void Pointer(toolkit::MousePointer pointer) override { SetPointer(pointer); }
    void MouseIcon(std::wstring_view strCursorName) override { SetMouseIcon(strCursorName); }
    void TabStop(bool blnTabStop) override { SetTabStop(blnTabStop); }
    void TabIndex(int16_t intTabIndex) override { SetTabIndex(intTabIndex); }
    void Appearance(toolkit::Appearance appearance) override {
        mAppearance = appearance;
        AppearanceChanged();
    }
    void Border(bool blnBorder) override {
        mBorder = blnBorder;
        AppearanceChanged();
    }
    void BringToFront() override {
        if (Widget() != nullptr) Widget()->raise();
    }

protected:
    // Border and appearance matter to frames only.
    virtual void AppearanceChanged() {}
};

}  // namespace ui::qt
