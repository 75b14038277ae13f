#pragma once
// A window toolkit for tests: controls keep their state in memory, calls and
// message boxes are recorded, and work queued with AtPump runs when the
// program lets messages run, as a click during a check would.

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "ui/toolkit/Memory.h"

namespace testing_support {

namespace mem = ui::toolkit::memory;

class RecordingToolkit final : public mem::MemToolkit {
public:
    using Call = mem::Call;
    struct Box {
        std::wstring text;
        uint32_t flags = 0;
        std::wstring title;
    };

    std::vector<Call> calls;
    std::vector<Box> boxes;
    // Answers of the next message boxes in order; OK once the script runs out.
    std::deque<int32_t> answers;
    uint32_t now = 0;  // milliseconds, for the timers

    void Called(const Call& call) override { calls.push_back(call); }
    uint32_t Now() override { return now; }
    int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) override;
    void DoEvents() override;
    // Runs queued actions and due timer ticks until the window is unloaded or nothing is left.
    void Run(ui::toolkit::Window& objWindow) override;

    // Queues an action for a later pump (one action per pump).
    void AtPump(std::function<void()> action) { mAtPump.push_back(std::move(action)); }

    // The controls of the main window; a missing one fails the test.
    mem::MemWindow& Window() const { return Found(MainWindow(), L"window"); }
    mem::MemLabel& Label(std::wstring_view strName, int16_t intIndex = -1) const {
        return Found(Window().FindLabel(strName, intIndex), strName);
    }
    mem::MemButton& Button(std::wstring_view strName) const { return Found(Window().FindButton(strName), strName); }
    mem::MemListBox& List(std::wstring_view strName) const { return Found(Window().FindListBox(strName), strName); }
    mem::MemPictureBox& Picture(std::wstring_view strName) const {
        return Found(Window().FindPictureBox(strName), strName);
    }
    mem::MemCheckBox& Option(std::wstring_view strArray, int16_t intIndex) const {
        auto* array = Window().FindCheckBoxArray(strArray);
        return Found(array ? array->Element(intIndex) : nullptr, strArray);
    }
    mem::MemTimer& Timer(std::wstring_view strName) const { return Found(Window().FindTimer(strName), strName); }

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
