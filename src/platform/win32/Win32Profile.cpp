#include "platform/win32/Win32Profile.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

// A list of NUL-ended names as both listing calls give it. They report a
// full buffer as its size - 2, so the buffer grows until the list fits.
template <typename Call>
std::vector<std::wstring> NameList(Call call) {
    std::vector<char> buffer(4096);
    DWORD copied = 0;
    for (;;) {
        copied = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (copied + 2 < buffer.size() || buffer.size() >= (DWORD{1} << 30)) break;
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::wstring> names;
    std::string_view rest(buffer.data(), copied < buffer.size() ? copied : buffer.size());
    while (!rest.empty()) {
        const size_t end = rest.find('\0');
        const std::string_view name = rest.substr(0, end);
        if (!name.empty()) names.push_back(FromAnsi(name));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return names;
}

}  // namespace

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

std::vector<std::wstring> Win32Profile::SectionNames(std::wstring_view strFile) {
    const std::string file = ToAnsi(strFile);
    return NameList([&](char* buffer, DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, file.c_str()); });
}

std::vector<std::wstring> Win32Profile::KeyNames(std::wstring_view strSection, std::wstring_view strFile) {
    const std::string section = ToAnsi(strSection);
    const std::string file = ToAnsi(strFile);
    return NameList([&](char* buffer, DWORD size) {
        return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, size, file.c_str());
    });
}

}  // namespace platform::win32
