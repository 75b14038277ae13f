#pragma once
// Profile (INI) files on Linux: IniFile through the shared parse cache.

#include "platform/Profile.h"

namespace platform::posix {

class PosixProfile final : public Profile {
public:
    uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                       uint32_t lngBufferChars, std::wstring_view strFile, std::wstring& strValue) override;
    std::vector<std::wstring> SectionNames(std::wstring_view strFile) override;
    std::vector<std::wstring> KeyNames(std::wstring_view strSection, std::wstring_view strFile) override;
    // Holds one parsed copy of the file: no look at the file per lookup.
    std::unique_ptr<ProfileSnapshot> Snapshot(std::wstring_view strFile) override;
};

}  // namespace platform::posix
