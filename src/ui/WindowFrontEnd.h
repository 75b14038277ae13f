#pragma once
// The build's window front end. Each build links one implementation: the
// Win32 window on Windows, the Qt window on Linux. The program falls back to
// the console front end when this gives no toolkit (no display to open).

#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/Toolkit.h"

namespace ui {

// A toolkit that shows real windows, or null when no window can be shown
// here. args: the program's arguments without its own name.
std::unique_ptr<toolkit::Toolkit> OpenWindowToolkit(const std::vector<std::wstring>& args);

}  // namespace ui
