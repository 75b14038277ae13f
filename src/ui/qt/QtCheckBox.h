#pragma once
// A check box on a QCheckBox.

#include <QCheckBox>

#include "ui/qt/QtControl.h"
#include "ui/toolkit/CheckBox.h"

namespace ui::qt {

class QtCheckBox final : public QtControl<toolkit::CheckBox> {
public:
    QtCheckBox(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    int16_t Value() const override;
    void Value(int16_t intValue) override;

    // A new array element: the template's properties, hidden.
    void TakeTemplate(const QtCheckBox& objTemplate);
    QCheckBox* CheckWidget() const { return static_cast<QCheckBox*>(Widget()); }
    double CaptionFit() const override;
    bool TakesFocus() const override { return true; }

protected:
    void ApplyColors() override;

private:
    std::wstring mCaption;
};

}  // namespace ui::qt
