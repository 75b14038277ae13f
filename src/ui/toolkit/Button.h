#pragma once
// A command button. An "&" in the caption marks the access key.

#include <functional>

#include "ui/toolkit/Control.h"

namespace ui::toolkit {

class Button : public Control {
public:
    virtual std::wstring Caption() const = 0;
    virtual void Caption(std::wstring_view strCaption) = 0;
    // Gives the button the keyboard focus (Enter presses it).
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;

    std::function<void()> OnClick;
};

}  // namespace ui::toolkit
