#include "fakes/RecordingToolkit.h"

namespace testing_support {

using namespace ui::toolkit::memory;

int32_t RecordingToolkit::MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) {
    boxes.push_back(Box{std::wstring(strText), lngFlags, std::wstring(strTitle)});
    if (answers.empty()) return ui::toolkit::kMsgAnswerOk;
    const int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingToolkit::DoEvents() {
    if (mAtPump.empty()) return;
    auto action = std::move(mAtPump.front());
    mAtPump.pop_front();
    action();
}

void RecordingToolkit::Run(ui::toolkit::Window& objWindow) {
    while (objWindow.Loaded()) {
        if (!mAtPump.empty()) {
            DoEvents();
            continue;
        }
        int64_t next = -1;
        for (MemTimer* timer : Window().Timers()) {
            const int64_t due = timer->DueIn(now);
            if (due >= 0 && (next < 0 || due < next)) next = due;
        }
        if (next < 0) return;
        now += static_cast<uint32_t>(next);
        TickDueTimers();
    }
}

std::vector<std::wstring> RecordingToolkit::ValuesOf(std::wstring_view strTarget, std::wstring_view strMember) const {
    std::vector<std::wstring> values;
    for (const Call& call : calls) {
        if (call.Target == strTarget && call.Member == strMember) values.push_back(call.Value);
    }
    return values;
}

std::vector<std::wstring> RecordingToolkit::CallTexts() const {
    std::vector<std::wstring> texts;
    for (const Call& call : calls) texts.push_back(call.ToString());
    return texts;
}

int32_t RecordingToolkit::Advance(uint32_t lngMilliseconds) {
    now += lngMilliseconds;
    return TickDueTimers();
}

}  // namespace testing_support
