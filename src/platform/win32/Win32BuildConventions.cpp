#include <windows.h>

#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/BuildConventions.h"

namespace platform {

TextEncoding DataFileEncoding() { return TextEncoding::Windows1250; }

// HardenLibraryLoading restricts the search at start-up; a relative path is
// then looked up below the system's folders only.
bool LibrarySearchSkipsProgramFolder() { return true; }

std::wstring FullPath(std::wstring_view strPath) {
    const std::string path = ToAnsi(strPath);
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return std::wstring(strPath);
    std::string full(needed, '\0');
    const DWORD written = GetFullPathNameA(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) return std::wstring(strPath);
    full.resize(written);
    return FromAnsi(full);
}

}  // namespace platform
