#pragma once
// A command button on a QPushButton; "&" in the caption marks the access
// key (Alt+letter) as it does in Qt.

#include <QPushButton>

#include "ui/qt/QtControl.h"
#include "ui/toolkit/Button.h"

namespace ui::qt {

class QtButton final : public QtControl<toolkit::Button> {
public:
    QtButton(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    void SetFocus() override;
    bool HasFocus() const override;

    // Pressed on the user's behalf (Escape on the cancel button): only when
    // it could be clicked.
    void Press();
    QPushButton* ButtonWidget() const { return static_cast<QPushButton*>(Widget()); }
    double CaptionFit() const override;
    bool TakesFocus() const override { return true; }

protected:
    void ApplyColors() override;

private:
    std::wstring mCaption;
};

}  // namespace ui::qt
