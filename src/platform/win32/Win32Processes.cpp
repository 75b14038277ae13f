#include "platform/win32/Win32Processes.h"

#include <windows.h>
// After windows.h: the tool-help declarations need its types.
#include <tlhelp32.h>

#include <cstring>

#include "platform/AnsiCodePage.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

bool Win32Processes::Snapshot(uint32_t lngFlags, std::vector<std::wstring>& exeNames) {
    exeNames.clear();
    UniqueHandle<HANDLE, &CloseHandle> snapshot(CreateToolhelp32Snapshot(lngFlags, 0));
    if (!snapshot.Valid()) return false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    if (Process32First(snapshot.Get(), &entry) == 0) return true;
    do {
        exeNames.push_back(
            FromAnsi(std::string_view(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile))));
    } while (Process32Next(snapshot.Get(), &entry) != 0);
    return true;
}

}  // namespace platform::win32
