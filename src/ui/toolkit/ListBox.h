#pragma once
// A single-column list of text lines, each with a 32-bit item datum.

#include <functional>

#include "base/VbError.h"
#include "ui/toolkit/Control.h"

namespace ui::toolkit {

// The line nearest to a point, and whether the point lies outside the list's
// client area (what LB_ITEMFROMPOINT answers). Line is -1 in an empty list.
struct ListHit {
    int32_t Line = -1;
    bool Outside = true;
};

class ListBox : public Control {
public:
    // Error 381 for a line position that does not exist (item data).
    static void CheckIndex(int32_t lngIndex, int32_t lngCount) {
        if (lngIndex < 0 || lngIndex >= lngCount) base::Raise(381, {}, L"Invalid property array index");
    }

    virtual int32_t ListCount() const = 0;
    // Inserts a line at lngIndex (-1: at the end); the new line's datum is 0.
    virtual void AddItem(std::wstring_view strText, int32_t lngIndex = -1) = 0;
    // Raises error 5 for a position that does not exist.
    virtual void RemoveItem(int32_t lngIndex) = 0;
    virtual void Clear() = 0;
    // The text of a line; empty for a position that does not exist.
    virtual std::wstring List(int32_t lngIndex) const = 0;
    // Raise error 381 for a position that does not exist.
    virtual int32_t ItemData(int32_t lngIndex) const = 0;
    virtual void ItemData(int32_t lngIndex, int32_t lngData) = 0;
    // The selected line, -1 for none.
    virtual int32_t ListIndex() const = 0;
    virtual void ListIndex(int32_t lngIndex) = 0;
    // Point in the list's own twips.
    virtual ListHit ItemFromPoint(Twips x, Twips y) const = 0;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // Setting intKeyAscii to 0 discards the typed character.
    std::function<void(int16_t& intKeyAscii)> OnKeyPress;
    std::function<void(int16_t& intKeyCode, int16_t intShift)> OnKeyUp;
    std::function<void(int16_t intButton, int16_t intShift, Twips x, Twips y)> OnMouseUp;
    std::function<void(int16_t intButton, int16_t intShift, Twips x, Twips y)> OnMouseMove;
};

}  // namespace ui::toolkit
