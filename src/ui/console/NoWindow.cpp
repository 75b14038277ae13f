// A build without a window toolkit: every run uses the console front end.

#include "ui/WindowFrontEnd.h"

namespace ui {

std::unique_ptr<toolkit::Toolkit> OpenWindowToolkit(const std::vector<std::wstring>&) { return nullptr; }

}  // namespace ui
