#pragma once
// A static text.

#include <functional>

#include "ui/toolkit/Control.h"

namespace ui::toolkit {

class Label : public Control {
public:
    virtual std::wstring Caption() const = 0;
    virtual void Caption(std::wstring_view strCaption) = 0;
    // Transparent: the container shows through the background.
    virtual void Transparent(bool blnTransparent) = 0;

    std::function<void()> OnClick;
};

}  // namespace ui::toolkit
