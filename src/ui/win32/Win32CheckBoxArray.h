#pragma once
// A control array of check boxes made from its hidden element 0.

#include <map>
#include <memory>

#include "ui/toolkit/CheckBox.h"
#include "ui/win32/Win32CheckBox.h"

namespace ui::win32 {

class Win32CheckBoxArray final : public toolkit::CheckBoxArray {
public:
    Win32CheckBoxArray(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent);

    const std::wstring& Name() const override { return mName; }
    toolkit::CheckBox& Load(int16_t intIndex) override;
    void Unload(int16_t intIndex) override;
    toolkit::CheckBox* Item(int16_t intIndex) const override;
    std::vector<int16_t> Indexes() const override;

private:
    Win32Window& mWindow;
    std::wstring mName;
    std::map<int16_t, std::unique_ptr<Win32CheckBox>> mElements;
};

}  // namespace ui::win32
