#include "ui/qt/QtButton.h"

#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtButton::QtButton(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent)
    : QtControl(objWindow, std::move(strName), -1, objParent) {
    auto* button = new QPushButton(ParentWidget());
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, this, [this] {
        if (OnClick) OnClick();
    });
    Attach(button);
}

void QtButton::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    ButtonWidget()->setText(ToQString(strCaption));
    mWindow.CaptionChanged();
}

void QtButton::SetFocus() {
    ButtonWidget()->setFocus(Qt::OtherFocusReason);
}

bool QtButton::HasFocus() const {
    // Before the window is active the focus is where it will land.
    const QPushButton* button = ButtonWidget();
    return button->hasFocus() || button->window()->focusWidget() == button;
}

void QtButton::Press() {
    QPushButton* button = ButtonWidget();
    if (button->isEnabled() && mVisible) button->click();
}

void QtButton::ApplyColors() {
    // Buttons keep the desktop's look; only their text colour follows.
    if (Widget() == nullptr || mForeColor == toolkit::kColorWindowText) return;
    QtControlBase::ApplyColors();
}

double QtButton::CaptionFit() const {
    const QPushButton* button = ButtonWidget();
    if (button == nullptr || !mVisible || button->width() <= 0) return 1.0;
    return 1.0 * button->sizeHint().width() / button->width();
}

}  // namespace ui::qt
