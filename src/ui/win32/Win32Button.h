#pragma once
// A push button; "&" in the caption marks its access key (Alt+letter).

#include "ui/toolkit/Button.h"
#include "ui/win32/Win32ControlBase.h"

namespace ui::win32 {

class Win32Button final : public Win32Control<toolkit::Button> {
public:
    Win32Button(Win32Window& objWindow, std::wstring strName, toolkit::Container& objParent);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    void SetFocus() override;
    bool HasFocus() const override;

    void OnCommand(WORD wCode) override;
    // The user's click by other means (Escape on the cancel button): only
    // when the button could be clicked.
    bool Click();

private:
    std::wstring mCaption;
};

}  // namespace ui::win32
