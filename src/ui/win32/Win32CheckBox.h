#pragma once
// A check box, one element of a control array.

#include "ui/toolkit/CheckBox.h"
#include "ui/win32/Win32ControlBase.h"

namespace ui::win32 {

class Win32CheckBox final : public Win32Control<toolkit::CheckBox> {
public:
    Win32CheckBox(Win32Window& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent,
                  const Win32CheckBox* objTemplate);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    int16_t Value() const override;
    void Value(int16_t intValue) override;

    void OnCommand(WORD wCode) override;
    void Detach() override;

private:
    std::wstring mCaption;
    int16_t mValue = toolkit::kUnchecked;
};

}  // namespace ui::win32
