#pragma once
// Runs one step and goes on whatever it raises: procedures that ignore the
// errors of single steps (a failing step is skipped, the next one runs).

namespace base {

template <typename Step>
void IgnoreErrors(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace base
