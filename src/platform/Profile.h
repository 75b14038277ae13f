#pragma once
// Profile (INI) file reading.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One file for many lookups, those of Profile on the file the snapshot was
// taken of. Where the system keeps a parsed copy, one reading serves them
// all, and what they find holds together even when the file is replaced
// meanwhile; elsewhere each lookup reads the file again.
class ProfileSnapshot {
public:
    virtual ~ProfileSnapshot() = default;
    virtual uint32_t GetString(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strDefault,
                               uint32_t lngBufferChars, std::wstring& strValue) = 0;
    virtual std::vector<std::wstring> SectionNames() = 0;
    virtual std::vector<std::wstring> KeyNames(std::wstring_view strSection) = 0;
};

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
    // The names of the sections of strFile (GetPrivateProfileSectionNamesA),
    // none when the file is missing. Names compare without regard to case;
    // the letter case they come back in is not defined.
    virtual std::vector<std::wstring> SectionNames(std::wstring_view strFile) = 0;
    // The names of the keys of strSection (GetPrivateProfileStringA without a
    // key name), none when the file or section is missing; letter case as above.
    virtual std::vector<std::wstring> KeyNames(std::wstring_view strSection, std::wstring_view strFile) = 0;
    // A snapshot of strFile; by default each of its lookups is one of the
    // calls above.
    virtual std::unique_ptr<ProfileSnapshot> Snapshot(std::wstring_view strFile);
};

}  // namespace platform
