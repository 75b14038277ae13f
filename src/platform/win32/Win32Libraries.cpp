#include "platform/win32/Win32Libraries.h"

#include <windows.h>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

uintptr_t Win32Libraries::Load(std::wstring_view strName) {
    return reinterpret_cast<uintptr_t>(LoadLibraryA(ToAnsi(strName).c_str()));
}

int32_t Win32Libraries::Free(uintptr_t hModule) {
    if (hModule == 0) return 0;
    return FreeLibrary(reinterpret_cast<HMODULE>(hModule)) != 0 ? 1 : 0;
}

}  // namespace platform::win32

namespace platform {

bool HardenLibraryLoading() {
    // Looked up rather than imported: older systems without the update that
    // brought it must still start the program.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return false;
    const auto setDirectories =
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    return setDirectories != nullptr && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0;
}

}  // namespace platform
