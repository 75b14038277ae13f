#pragma once
// A window toolkit for tests: controls keep their state in memory, every call
// the program makes is recorded, message boxes are recorded and answered from
// a script, and the test fires the user's clicks, mouse moves, keys and timer
// ticks. Work queued with AtPump runs when the program lets messages run, as
// a click during a check would.

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "ui/toolkit/Memory.h"

namespace testing_support {

class RecordingToolkit final : public ui::toolkit::memory::MemToolkit {
public:
    using Call = ui::toolkit::memory::Call;
    struct Box {
        std::wstring text;
        uint32_t flags = 0;
        std::wstring title;
    };

    std::vector<Call> calls;
    std::vector<Box> boxes;
    // Answers of the next message boxes in order; OK once the script runs out.
    std::deque<int32_t> answers;
    // The clock the timers count on (milliseconds).
    uint32_t now = 0;

    void Called(const Call& call) override { calls.push_back(call); }
    uint32_t Now() override { return now; }
    int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) override;
    // Runs the first queued action, if any.
    void DoEvents() override;
    // Runs queued actions, and lets the clock run to each due timer tick,
    // until the window is unloaded or nothing is left to happen.
    void Run(ui::toolkit::Window& objWindow) override;

    // Queues an action for a later pump (one action per pump).
    void AtPump(std::function<void()> action) { mAtPump.push_back(std::move(action)); }

    // The controls of the main window; a missing one fails the test.
    ui::toolkit::memory::MemWindow& Window() const { return Found(MainWindow(), L"window"); }
    ui::toolkit::memory::MemLabel& Label(std::wstring_view strName, int16_t intIndex = -1) const {
        return Found(Window().FindLabel(strName, intIndex), strName);
    }
    ui::toolkit::memory::MemButton& Button(std::wstring_view strName) const {
        return Found(Window().FindButton(strName), strName);
    }
    ui::toolkit::memory::MemListBox& List(std::wstring_view strName) const {
        return Found(Window().FindListBox(strName), strName);
    }
    ui::toolkit::memory::MemPictureBox& Picture(std::wstring_view strName) const {
        return Found(Window().FindPictureBox(strName), strName);
    }
    ui::toolkit::memory::MemCheckBox& Option(std::wstring_view strArray, int16_t intIndex) const {
        auto* array = Window().FindCheckBoxArray(strArray);
        return Found(array ? array->Element(intIndex) : nullptr, strArray);
    }
    ui::toolkit::memory::MemTimer& Timer(std::wstring_view strName) const {
        return Found(Window().FindTimer(strName), strName);
    }

    // Values of the recorded calls to one member of one target, in order.
    std::vector<std::wstring> ValuesOf(std::wstring_view strTarget, std::wstring_view strMember) const;
    // Every recorded call as "Target.Member=Value".
    std::vector<std::wstring> CallTexts() const;
    // Moves the clock on and delivers the ticks that fall due.
    int32_t Advance(uint32_t lngMilliseconds);

private:
    template <class Control>
    static Control& Found(Control* control, std::wstring_view strName) {
        if (control == nullptr) throw std::logic_error("no control " + base::WideToUtf8(strName));
        return *control;
    }

    std::deque<std::function<void()>> mAtPump;
};

}  // namespace testing_support
