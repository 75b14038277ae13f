#pragma once
// What every Qt control of the window shares: the seam state it keeps (the
// geometry in twips, colours, font, pointer, tab stop) and how that state
// is put on its widget. The seam interfaces themselves are implemented by
// QtControl on top of this.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>

#include "ui/toolkit/Control.h"

namespace ui::qt {

class QtWindow;

class QtControlBase : public QObject {
public:
    QtControlBase(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent);
    ~QtControlBase() override;
    QtControlBase(const QtControlBase&) = delete;
    QtControlBase& operator=(const QtControlBase&) = delete;

    QWidget* Widget() const { return mWidget; }
    QtWindow& OwnerWindow() const { return mWindow; }
    const std::wstring& ControlName() const { return mName; }
    int16_t ControlIndex() const { return mIndex; }

    // Puts the twips geometry on the widget at the window's layout resolution.
    virtual void ApplyGeometry();
    // How much wider (or taller) the control must be for its caption to show
    // whole: 1 or less when it fits.
    virtual double CaptionFit() const { return 1.0; }
    // Whether the control can take the keyboard focus at all.
    virtual bool TakesFocus() const { return false; }
    bool IsTabStop() const { return mTabStop; }
    bool VisibleFlag() const { return mVisible; }

protected:
    // Gives the control its widget, made in ParentWidget().
    void Attach(QWidget* objWidget);
    QWidget* ParentWidget() const;

    // The pixel rectangle the widget gets; labels widen theirs to fit.
    virtual QRect LayoutRect() const;
    virtual void ApplyColors();
    virtual void ApplyPointer();
    virtual void ApplyFont();
    void ApplyFocusPolicy();
    // Copies the state a control-array element takes from its template.
    void CopyStateFrom(const QtControlBase& objOther);

    // Shared implementations of the seam's Control members.
    toolkit::Container& ParentContainer() const { return *mParent; }
    void SetBounds(const toolkit::Rect& rcBounds);
    void SetVisible(bool blnVisible);
    void SetEnabled(bool blnEnabled);
    void SetFont(const toolkit::FontInfo& font);
    void SetForeColor(toolkit::Color color);
    void SetBackColor(toolkit::Color color);
    void SetToolTip(std::wstring_view strText);
    void SetPointer(toolkit::MousePointer pointer);
    void SetMouseIcon(std::wstring_view strCursorName);
    void SetTabStop(bool blnTabStop);
    void SetTabIndex(int16_t intTabIndex);

    QtWindow& mWindow;
    std::wstring mName;
    int16_t mIndex;
    toolkit::Container* mParent;
    toolkit::Rect mBounds;
    bool mVisible = true;
    bool mEnabled = true;
    toolkit::FontInfo mFont;
    toolkit::Color mForeColor = toolkit::kColorWindowText;
    toolkit::Color mBackColor = toolkit::kColorWindowBackground;
    std::wstring mToolTip;
    toolkit::MousePointer mPointer = toolkit::MousePointer::Default;
    std::wstring mMouseIcon;
    bool mTabStop = true;
    toolkit::Appearance mAppearance = toolkit::Appearance::ThreeD;
    bool mBorder = false;

private:
    QPointer<QWidget> mWidget;
};

}  // namespace ui::qt
