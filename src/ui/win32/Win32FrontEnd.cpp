// The Windows build's window front end.

#include <cstdlib>

#include "ui/WindowFrontEnd.h"
#include "ui/win32/Win32Toolkit.h"

namespace ui {

std::unique_ptr<toolkit::Toolkit> OpenWindowToolkit(const std::vector<std::wstring>&) {
    // Unattended runs (scripts, tests) must not wait on a message box.
    auto toolkit = std::make_unique<win32::Win32Toolkit>(std::getenv("QUORVEX_NO_DIALOGS") != nullptr);
    if (!toolkit->Ready()) return nullptr;
    return toolkit;
}

}  // namespace ui
