#include "platform/win32/Win32Shell.h"

#include <windows.h>
// After windows.h: the shell declarations need its types.
#include <shellapi.h>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

intptr_t Win32Shell::Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) {
    const std::string target = ToAnsi(strTarget);
    const std::string folder = ToAnsi(strWorkingFolder);
    const HINSTANCE result = ShellExecuteA(nullptr, "Open", target.c_str(), nullptr,
                                           folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<intptr_t>(result);
}

}  // namespace platform::win32
