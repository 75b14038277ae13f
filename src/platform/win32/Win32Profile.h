#pragma once
// Profile (INI) files through GetPrivateProfileStringA.

#include "platform/Profile.h"

namespace platform::win32 {

class Win32Profile final : public Profile {
public:
    uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                       uint32_t lngBufferChars, std::wstring_view strFile, std::wstring& strValue) override;
    std::vector<std::wstring> SectionNames(std::wstring_view strFile) override;
    std::vector<std::wstring> KeyNames(std::wstring_view strSection, std::wstring_view strFile) override;
};

}  // namespace platform::win32
