#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/BuildConventions.h"

namespace platform {

TextEncoding DataFileEncoding() { return TextEncoding::Utf8; }

// dlopen takes a name with a "/" as a path from the current folder.
bool LibrarySearchSkipsProgramFolder() { return false; }

std::wstring FullPath(std::wstring_view strPath) {
    if (strPath.empty() || strPath.front() == L'/') return std::wstring(strPath);
    std::string folder(4096, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) return std::wstring(strPath);
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    std::wstring result = FromAnsi(folder);
    if (result.empty() || result.back() != L'/') result += L'/';
    return result + std::wstring(strPath);
}

}  // namespace platform
