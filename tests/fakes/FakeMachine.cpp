#include "fakes/FakeMachine.h"

#include <cmath>

namespace testing_support {

void FakeClock::Advance(double seconds) {
    counter += static_cast<int64_t>(std::llround(seconds * static_cast<double>(frequency)));
    milliseconds += static_cast<uint32_t>(std::llround(seconds * 1000.0));
}

int32_t FakeDialogs::MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) {
    shown.push_back({std::wstring(strText), std::wstring(strTitle), lngFlags});
    if (answers.empty()) return platform::kIdOk;
    const int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

FakeMachine::FakeMachine() {
    internet.store = &files;
    platform::Machine bundle;
    bundle.clock = &clock;
    bundle.system = &system;
    bundle.dialogs = &dialogs;
    bundle.registry = &registry;
    bundle.files = &files;
    bundle.services = &services;
    bundle.processes = &processes;
    bundle.dialUp = &dialUp;
    bundle.folders = &folders;
    bundle.libraries = &libraries;
    bundle.internet = &internet;
    mScope = std::make_unique<platform::ScopedMachine>(bundle);
}

FakeMachine::~FakeMachine() = default;

}  // namespace testing_support
