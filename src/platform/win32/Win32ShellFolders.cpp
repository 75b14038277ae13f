#include "platform/win32/Win32ShellFolders.h"

#include <windows.h>
// After windows.h: the shell declarations need its types.
#include <shlobj.h>

#include <cstring>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

int32_t Win32ShellFolders::GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) {
    strPath.clear();
    char buffer[MAX_PATH + 1] = {};
    // Token -1: the default user profile, not the user who runs the program.
    const HRESULT result = SHGetFolderPathA(nullptr, lngFolder, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)),
                                            static_cast<DWORD>(lngFlags), buffer);
    if (result != S_OK) return static_cast<int32_t>(result);
    strPath = FromAnsi(std::string_view(buffer, strnlen(buffer, MAX_PATH)));
    return 0;
}

}  // namespace platform::win32
