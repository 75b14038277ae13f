#include "platform/win32/Win32Dialogs.h"

#include <windows.h>
// windows.h maps MessageBox to MessageBoxA; the member keeps its own name.
#undef MessageBox

#include <string>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

bool EnvironmentSaysNoDialogs() {
    char value[2];
    SetLastError(ERROR_SUCCESS);
    if (GetEnvironmentVariableA("QUORVEX_NO_DIALOGS", value, sizeof value) > 0) return true;
    // Zero is also the answer for a variable set to the empty text.
    return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
}

// A service or a scheduled task runs on a window station nobody sees: a box
// there would wait for a click that never comes.
bool WindowStationHidden() {
    HWINSTA station = GetProcessWindowStation();  // not to be closed
    if (station == nullptr) return true;
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    if (GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, &needed) == 0) return false;
    return (flags.dwFlags & WSF_VISIBLE) == 0;
}

void WriteToStandardError(std::wstring_view strText, std::wstring_view strTitle) {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE) return;  // a GUI program without one
    std::wstring line(strTitle);
    line += L": ";
    line += strText;
    line += L"\r\n";
    DWORD mode = 0;
    if (GetConsoleMode(error, &mode) != 0) {
        // A console shows every character; no code-page loss.
        DWORD written = 0;
        WriteConsoleW(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ToAnsi(line);
    DWORD written = 0;
    WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int32_t Win32Dialogs::MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) {
    if (EnvironmentSaysNoDialogs() || WindowStationHidden()) {
        WriteToStandardError(strText, strTitle);
        return kIdOk;
    }
    const int answer = MessageBoxA(nullptr, ToAnsi(strText).c_str(), ToAnsi(strTitle).c_str(), lngFlags);
    if (answer > 0) return answer;
    // No box could be made (no display under wine answers -1, the system 0):
    // the text must still reach someone.
    WriteToStandardError(strText, strTitle);
    return kIdOk;
}

}  // namespace platform::win32

namespace platform {

void SuppressSystemErrorBoxes() { SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

}  // namespace platform
