#include "ui/qt/QtCheckBox.h"

#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtCheckBox::QtCheckBox(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent)
    : QtControl(objWindow, std::move(strName), intIndex, objParent) {
    auto* box = new QCheckBox(ParentWidget());
    QObject::connect(box, &QCheckBox::clicked, this, [this] {
        if (OnClick) OnClick();
    });
    Attach(box);
}

void QtCheckBox::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    CheckWidget()->setText(ToQString(strCaption));
    mWindow.CaptionChanged();
}

int16_t QtCheckBox::Value() const {
    return CheckWidget()->isChecked() ? toolkit::kChecked : toolkit::kUnchecked;
}

void QtCheckBox::Value(int16_t intValue) {
    CheckWidget()->setChecked(intValue == toolkit::kChecked);
}

void QtCheckBox::TakeTemplate(const QtCheckBox& objTemplate) {
    CopyStateFrom(objTemplate);
    Caption(objTemplate.mCaption);
    Value(objTemplate.Value());
    SetVisible(false);
}

void QtCheckBox::ApplyColors() {
    QtControlBase::ApplyColors();
    // The box shows its container through; the colour is the container's.
    if (Widget() != nullptr) Widget()->setAutoFillBackground(false);
}

double QtCheckBox::CaptionFit() const {
    const QCheckBox* box = CheckWidget();
    if (box == nullptr || !mVisible || box->width() <= 0) return 1.0;
    return 1.0 * box->sizeHint().width() / box->width();
}

}  // namespace ui::qt
