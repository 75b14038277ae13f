#pragma once
// A frame that holds other controls and may show a picture.

#include "ui/toolkit/Control.h"

namespace ui::toolkit {

class PictureBox : public Control, public Container {
public:
    // The bitmap resource shown ("" for none).
    virtual void Picture(std::wstring_view strResourceName) = 0;
};

}  // namespace ui::toolkit
