#pragma once
// A top-level window and the factory of its controls. The window owns every
// control it makes; they stay valid objects until the window object is
// destroyed, also after it was unloaded.

#include <functional>
#include <string>
#include <string_view>

#include "ui/toolkit/Button.h"
#include "ui/toolkit/CheckBox.h"
#include "ui/toolkit/Control.h"
#include "ui/toolkit/Label.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/PictureBox.h"
#include "ui/toolkit/Timer.h"

namespace ui::toolkit {

class Window : public Container {
public:
    virtual const std::wstring& Name() const = 0;
    virtual std::wstring Caption() const = 0;
    virtual void Caption(std::wstring_view strCaption) = 0;
    virtual MousePointer Pointer() const = 0;
    virtual void Pointer(MousePointer pointer) = 0;
    // The window font: what controls take when the layout copies it to them.
    virtual FontInfo Font() const = 0;
    virtual void Font(const FontInfo& font) = 0;
    virtual Color ForeColor() const = 0;
    virtual void ForeColor(Color color) = 0;
    virtual Color BackColor() const = 0;
    virtual void BackColor(Color color) = 0;
    virtual void ClientSize(const Size& size) = 0;
    virtual void Icon(int32_t lngResourceId) = 0;
    // The button that Escape presses.
    virtual void CancelButton(Button* objButton) = 0;

    // Controls; parent null means the window's client area. intIndex is the
    // element number of a control array (lblAppName(0)), -1 for none.
    virtual Label& AddLabel(std::wstring_view strName, Container* objParent = nullptr, int16_t intIndex = -1) = 0;
    virtual Button& AddButton(std::wstring_view strName, Container* objParent = nullptr) = 0;
    virtual ListBox& AddListBox(std::wstring_view strName, Container* objParent = nullptr) = 0;
    virtual PictureBox& AddPictureBox(std::wstring_view strName, Container* objParent = nullptr) = 0;
    // Makes the array with its hidden template element 0.
    virtual CheckBoxArray& AddCheckBoxArray(std::wstring_view strName, Container* objParent = nullptr) = 0;
    virtual Timer& AddTimer(std::wstring_view strName) = 0;

    // Shows the window modeless.
    virtual void Show() = 0;
    virtual bool Loaded() const = 0;
    // Asks OnQueryUnload first; when nobody refuses, the window goes away
    // (OnUnload follows) and the result is true. Close boxes, Escape on the
    // cancel button's behalf, and end-of-session requests all come here.
    virtual bool Unload(UnloadMode mode = UnloadMode::Code) = 0;

    std::function<void(bool& blnCancel, UnloadMode mode)> OnQueryUnload;
    std::function<void()> OnUnload;
};

}  // namespace ui::toolkit
