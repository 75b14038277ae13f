#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

uint32_t Win32Profile::GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                                 uint32_t lngBufferChars, std::wstring_view strFile, std::wstring& strValue) {
    strValue.clear();
    if (lngBufferChars == 0) return 0;
    // The buffer is exactly the caller's: the ANSI call cuts a longer value to
    // lngBufferChars - 1 bytes, and callers depend on that. The file name goes
    // through unchanged (a relative one would be looked up in the Windows folder).
    std::vector<char> buffer(lngBufferChars, '\0');
    const std::string section = ToAnsi(strSection);
    const std::string key = ToAnsi(strKey);
    const std::string fallback = ToAnsi(strDefault);
    const std::string file = ToAnsi(strFile);
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                                  lngBufferChars, file.c_str());
    const size_t length = copied < lngBufferChars ? copied : lngBufferChars - 1;
    strValue = FromAnsi(std::string_view(buffer.data(), length));
    return static_cast<uint32_t>(strValue.size());
}

}  // namespace platform::win32
