#include "platform/Machine.h"

namespace platform {

namespace {
Machine* gCurrent = nullptr;

template <typename T>
void Fill(T*& target, T* fallback) {
    if (target == nullptr) target = fallback;
}
}  // namespace

Machine& Host() {
    return gCurrent != nullptr ? *gCurrent : RealMachine();
}

ScopedMachine::ScopedMachine(const Machine& replacement) : mMachine(replacement), mPrevious(gCurrent) {
    Machine& base = Host();
    Fill(mMachine.registry, base.registry);
    Fill(mMachine.files, base.files);
    Fill(mMachine.services, base.services);
    Fill(mMachine.processes, base.processes);
    Fill(mMachine.dialUp, base.dialUp);
    Fill(mMachine.folders, base.folders);
    Fill(mMachine.libraries, base.libraries);
    Fill(mMachine.internet, base.internet);
    Fill(mMachine.profile, base.profile);
    Fill(mMachine.system, base.system);
    Fill(mMachine.shell, base.shell);
    Fill(mMachine.clock, base.clock);
    Fill(mMachine.dialogs, base.dialogs);
    gCurrent = &mMachine;
}

ScopedMachine::~ScopedMachine() { gCurrent = mPrevious; }

}  // namespace platform
