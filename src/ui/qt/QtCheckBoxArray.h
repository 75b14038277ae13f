#pragma once
// The check-box control array: element 0 is made with the array and is the
// template of the others.

#include <map>
#include <memory>

#include "ui/qt/QtCheckBox.h"
#include "ui/toolkit/CheckBox.h"

namespace ui::qt {

class QtCheckBoxArray final : public toolkit::CheckBoxArray {
public:
    QtCheckBoxArray(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent);

    const std::wstring& Name() const override { return mName; }
    toolkit::CheckBox& Load(int16_t intIndex) override;
    void Unload(int16_t intIndex) override;
    toolkit::CheckBox* Item(int16_t intIndex) const override;
    std::vector<int16_t> Indexes() const override;

private:
    QtWindow& mWindow;
    std::wstring mName;
    std::map<int16_t, QtCheckBox*> mElements;  // owned by the window
};

}  // namespace ui::qt
