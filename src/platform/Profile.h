#pragma once
// Profile (INI) file reading.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class Profile {
public:
    virtual ~Profile() = default;
    // GetPrivateProfileStringA: the value of strKey in strSection of strFile,
    // strDefault when the file, section or key is missing, the empty text for a
    // key present with an empty value. lngBufferChars is the caller's buffer
    // size in characters, the terminating NUL included, so at most
    // lngBufferChars - 1 characters come back. Returns the number of
    // characters copied into strValue.
    virtual uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey,
                               std::wstring_view strDefault, uint32_t lngBufferChars,
                               std::wstring_view strFile, std::wstring& strValue) = 0;
};

}  // namespace platform
