#pragma once
// The window toolkit: makes windows, shows message boxes, and runs the
// message loop. One thread; every event arrives as a callback either from
// Run or from DoEvents. A toolkit outlives the windows it makes.

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/toolkit/Window.h"

namespace ui::toolkit {

class Toolkit {
public:
    virtual ~Toolkit() = default;
    virtual std::unique_ptr<Window> NewWindow(std::wstring_view strName) = 0;
    // A modal message box; the answer is the button chosen (kMsgAnswerOk, ...).
    virtual int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) = 0;
    // Lets pending messages run: clicks, close requests, timer ticks and
    // repaints are handled here while the program is busy.
    virtual void DoEvents() = 0;
    // The message loop; returns once objWindow is unloaded.
    virtual void Run(Window& objWindow) = 0;
};

}  // namespace ui::toolkit
