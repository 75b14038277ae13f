#include "ui/qt/QtControlBase.h"

#include <QApplication>
#include <QPalette>

#include "ui/qt/QtArtwork.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtControlBase::QtControlBase(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent)
    : mWindow(objWindow), mName(std::move(strName)), mIndex(intIndex), mParent(&objParent) {}

QtControlBase::~QtControlBase() = default;

QWidget* QtControlBase::ParentWidget() const {
    return mWindow.ClientWidget(mParent);
}

void QtControlBase::Attach(QWidget* objWidget) {
    mWidget = objWidget;
    const std::wstring name = mIndex < 0 ? mName : mName + L"(" + std::to_wstring(mIndex) + L")";
    objWidget->setObjectName(ToQString(name));
    ApplyFont();
    ApplyColors();
    ApplyFocusPolicy();
    mWindow.AddToTabOrder(this);
}

QRect QtControlBase::LayoutRect() const {
    return ToPixels(mBounds, mWindow.LayoutDpi());
}

void QtControlBase::ApplyGeometry() {
    if (mWidget) mWidget->setGeometry(LayoutRect());
}

void QtControlBase::ApplyColors() {
    if (!mWidget) return;
    const QPalette system = QApplication::palette();
    QPalette palette = mWidget->palette();
    const QColor fore = ToQColor(mForeColor, system);
    const QColor back = ToQColor(mBackColor, system);
    // Disabled controls keep the desktop's greyed look.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(group, role, fore);
        }
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Base, back);
    }
    mWidget->setPalette(palette);
}

void QtControlBase::ApplyPointer() {
    if (!mWidget) return;
    switch (mPointer) {
        case toolkit::MousePointer::Default:
            mWidget->unsetCursor();
            break;
        case toolkit::MousePointer::Hourglass:
            mWidget->setCursor(Qt::WaitCursor);
            break;
        case toolkit::MousePointer::Custom:
            if (auto cursor = ArtworkCursor(mMouseIcon)) {
                mWidget->setCursor(*cursor);
            } else {
                mWidget->setCursor(Qt::ArrowCursor);
            }
            break;
        default:
            mWidget->setCursor(Qt::ArrowCursor);
            break;
    }
}

void QtControlBase::ApplyFont() {
    if (mWidget) mWidget->setFont(ToQFont(mFont));
}

void QtControlBase::ApplyFocusPolicy() {
    if (!mWidget) return;
    // Labels and frames never take the focus; the others only by Tab when
    // they are tab stops.
    if (!TakesFocus()) {
        mWidget->setFocusPolicy(Qt::NoFocus);
    } else {
        mWidget->setFocusPolicy(mTabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void QtControlBase::CopyStateFrom(const QtControlBase& objOther) {
    mBounds = objOther.mBounds;
    mEnabled = objOther.mEnabled;
    mFont = objOther.mFont;
    mForeColor = objOther.mForeColor;
    mBackColor = objOther.mBackColor;
    mToolTip = objOther.mToolTip;
    mPointer = objOther.mPointer;
    mMouseIcon = objOther.mMouseIcon;
    mTabStop = objOther.mTabStop;
    mAppearance = objOther.mAppearance;
    mBorder = objOther.mBorder;
    if (!mWidget) return;
    ApplyGeometry();
    mWidget->setEnabled(mEnabled);
    ApplyFont();
    ApplyColors();
    mWidget->setToolTip(PlainToolTip(mToolTip));
    ApplyPointer();
    ApplyFocusPolicy();
}

void QtControlBase::SetBounds(const toolkit::Rect& rcBounds) {
    mBounds = rcBounds;
    ApplyGeometry();
}

void QtControlBase::SetVisible(bool blnVisible) {
    mVisible = blnVisible;
    if (mWidget) mWidget->setVisible(blnVisible);
}

void QtControlBase::SetEnabled(bool blnEnabled) {
    mEnabled = blnEnabled;
    if (mWidget) mWidget->setEnabled(blnEnabled);
}

void QtControlBase::SetFont(const toolkit::FontInfo& font) {
    mFont = font;
    ApplyFont();
    ApplyGeometry();
    mWindow.CaptionChanged();
}

void QtControlBase::SetForeColor(toolkit::Color color) {
    mForeColor = color;
    ApplyColors();
}

void QtControlBase::SetBackColor(toolkit::Color color) {
    mBackColor = color;
    ApplyColors();
}

void QtControlBase::SetToolTip(std::wstring_view strText) {
    mToolTip = strText;
    if (mWidget) mWidget->setToolTip(PlainToolTip(strText));
}

void QtControlBase::SetPointer(toolkit::MousePointer pointer) {
    mPointer = pointer;
    ApplyPointer();
}

void QtControlBase::SetMouseIcon(std::wstring_view strCursorName) {
    mMouseIcon = strCursorName;
    if (mPointer == toolkit::MousePointer::Custom) ApplyPointer();
}

void QtControlBase::SetTabStop(bool blnTabStop) {
    mTabStop = blnTabStop;
    ApplyFocusPolicy();
}

void QtControlBase::SetTabIndex(int16_t intTabIndex) {
    mWindow.MoveInTabOrder(this, intTabIndex);
}

}  // namespace ui::qt
