#pragma once
// The state every Win32 control keeps, and its window. The program's view
// (twips, colours, fonts as the seam describes them) is kept here and pushed
// to the window whenever it changes or the resolution does, so a control's
// properties still read back after its window is gone.

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/toolkit/Control.h"

namespace ui::win32 {

class Win32Window;

class Win32ControlBase {
public:
    Win32ControlBase(Win32Window& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent);
    virtual ~Win32ControlBase();
    Win32ControlBase(const Win32ControlBase&) = delete;
    Win32ControlBase& operator=(const Win32ControlBase&) = delete;

    // The control behind a window handle, or null.
    static Win32ControlBase* FromHandle(HWND hwnd);

    HWND Handle() const { return mHwnd; }
    Win32Window& Window() const { return mWindow; }
    toolkit::Container& ParentContainer() const { return *mParent; }
    const std::wstring& ControlName() const { return mName; }
    int16_t ControlIndex() const { return mIndex; }

    // Re-applies geometry and font (after a change of resolution).
    virtual void Layout();
    // The window is going with its parent; only the state stays.
    virtual void Detach() { mHwnd = nullptr; }

    // Messages the owning window routes to the control.
    virtual void OnCommand(WORD wCode) {}
    // The brush for WM_CTLCOLOR*, after setting the colours on hdc.
    virtual HBRUSH OnColor(HDC hdc);

    toolkit::MousePointer PointerValue() const { return mPointer; }
    const std::wstring& CursorName() const { return mCursor; }
    bool HasTabIndex() const { return mTabIndexSet; }
    int16_t TabIndexValue() const { return mTabIndex; }
    const toolkit::Rect& BoundsValue() const { return mBounds; }
    bool TransparentValue() const { return mTransparent; }

protected:
    // Makes the window as a child of the parent container.
    void Create(const wchar_t* strClass, DWORD dwStyle, DWORD dwExStyle = 0);
    void CopyStateFrom(const Win32ControlBase& other);
    void PushStyle(DWORD dwAdd, DWORD dwRemove, bool blnExtended);
    void Repaint() const;

    // Shared property implementations.
    void SetBounds(const toolkit::Rect& rcBounds);
    void SetVisible(bool blnVisible);
    void SetEnabled(bool blnEnabled);
    void SetFont(const toolkit::FontInfo& font);
    void SetForeColor(toolkit::Color color);
    void SetBackColor(toolkit::Color color);
    void SetToolTip(std::wstring_view strText);
    void SetPointer(toolkit::MousePointer pointer);
    void SetMouseIcon(std::wstring_view strCursorName) { mCursor = strCursorName; }
    void SetTabStop(bool blnTabStop);
    void SetTabIndex(int16_t intTabIndex);
    void SetAppearance(toolkit::Appearance appearance);
    void SetBorder(bool blnBorder);
    void ApplyBorder();
    void BringToTop();

    Win32Window& mWindow;
    HWND mHwnd = nullptr;
    std::wstring mName;
    int16_t mIndex;
    toolkit::Container* mParent;
    toolkit::Rect mBounds;
    bool mVisible = true;
    bool mEnabled = true;
    toolkit::FontInfo mFont;
    toolkit::Color mForeColor = toolkit::kColorButtonText;
    toolkit::Color mBackColor = toolkit::kColorButtonFace;
    std::wstring mToolTip;
    toolkit::MousePointer mPointer = toolkit::MousePointer::Default;
    std::wstring mCursor;
    bool mTabStop = true;
    bool mTabIndexSet = false;
    int16_t mTabIndex = 0;
    toolkit::Appearance mAppearance = toolkit::Appearance::ThreeD;
    bool mBorder = false;
    bool mTransparent = false;
    // Whether the kind of control can take the keyboard focus.
    bool mFocusable = false;
};

// The seam's Control members for one interface, on Win32ControlBase.
template <class Interface>
class Win32Control : public Interface, public Win32ControlBase {
public:
    using Win32ControlBase::Win32ControlBase;

    const std::wstring& Name() const override { return mName; }
    int16_t Index() const override { return mIndex; }
    toolkit::Container& Parent() const override { return *mParent; }
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
    void Appearance(toolkit::Appearance appearance) override { SetAppearance(appearance); }
    void Border(bool blnBorder) override { SetBorder(blnBorder); }
    void BringToFront() override { BringToTop(); }
};

}  // namespace ui::win32
