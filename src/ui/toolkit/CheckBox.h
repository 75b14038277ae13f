#pragma once
// Check boxes, and the control array that makes them from its element 0.

#include <functional>
#include <vector>

#include "ui/toolkit/Control.h"

namespace ui::toolkit {

class CheckBox : public Control {
public:
    virtual std::wstring Caption() const = 0;
    virtual void Caption(std::wstring_view strCaption) = 0;
    // kUnchecked or kChecked.
    virtual int16_t Value() const = 0;
    virtual void Value(int16_t intValue) = 0;

    std::function<void()> OnClick;
};

// Element 0 exists from the start and is the template: Load makes a new
// element with the template's properties, hidden, in the same container.
class CheckBoxArray {
public:
    virtual ~CheckBoxArray() = default;
    virtual const std::wstring& Name() const = 0;
    // Raises error 360 when the element is already loaded.
    virtual CheckBox& Load(int16_t intIndex) = 0;
    // Raises error 340 for an element that is not loaded; element 0 cannot
    // be unloaded (error 362).
    virtual void Unload(int16_t intIndex) = 0;
    // The element, null when not loaded.
    virtual CheckBox* Item(int16_t intIndex) const = 0;
    // The loaded elements' indexes in ascending order.
    virtual std::vector<int16_t> Indexes() const = 0;
};

}  // namespace ui::toolkit
