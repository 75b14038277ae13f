#pragma once
// A console for tests: output collected as text, requests (Ctrl+C, close)
// queued by the test, and waits that move a fake clock instead of sleeping.

#include <deque>
#include <string>
#include <vector>

#include "fakes/FakeMachine.h"
#include "platform/Console.h"

namespace testing_support {

class FakeConsole final : public platform::Console {
public:
    bool terminal = false;
    int32_t columns = 0;
    std::wstring out;
    std::wstring err;
    std::deque<platform::ConsoleEvent> events;
    bool catching = false;
    std::vector<uint32_t> waits;
    FakeClock* clock = nullptr;

    bool IsTerminal(platform::ConsoleStream) override { return terminal; }
    int32_t Columns(platform::ConsoleStream) override { return terminal ? columns : 0; }
    void Write(platform::ConsoleStream stream, std::wstring_view strText) override {
        (stream == platform::ConsoleStream::Error ? err : out) += strText;
    }
    void WriteVerbatim(platform::ConsoleStream stream, std::wstring_view strText) override { Write(stream, strText); }
    void CatchEvents(bool blnOn) override { catching = blnOn; }
    platform::ConsoleEvent TakeEvent() override {
        if (events.empty()) return platform::ConsoleEvent::None;
        const auto event = events.front();
        events.pop_front();
        return event;
    }
    void Wait(uint32_t lngMilliseconds) override {
        waits.push_back(lngMilliseconds);
        if (clock != nullptr) clock->milliseconds += lngMilliseconds;
    }
};

}  // namespace testing_support
