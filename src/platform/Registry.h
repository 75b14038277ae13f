#pragma once
// Registry concern: open a key, enumerate its subkeys, query a value.
// Results follow the registry's contract: 0 = success, anything else = failure.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

inline constexpr uint32_t kHKeyLocalMachine = 0x80000002u;
inline constexpr uint32_t kKeyRead = 0x20019u;
// View selectors a caller may add to kKeyRead (64-bit and 32-bit registry views).
inline constexpr uint32_t kKeyWow64_64 = 0x0100u;
inline constexpr uint32_t kKeyWow64_32 = 0x0200u;
inline constexpr uint32_t kRegSz = 1;
inline constexpr int32_t kErrorSuccess = 0;

// An open key; destroying it closes the key.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // Name of the subkey at lngIndex (0-based) into strName. lngMaxChars is the
    // caller's buffer size in characters, NUL included: a longer name fails.
    virtual int32_t EnumKey(uint32_t lngIndex, uint32_t lngMaxChars, std::wstring& strName) = 0;
    // Reads a value into a buffer of lngBufferBytes bytes. On success lngType is
    // the value's type and bytes holds the returned bytes (its size is the byte
    // count; for text, the terminating NUL included). A value that does not fit
    // the buffer fails.
    virtual int32_t QueryValue(std::wstring_view strValueName, uint32_t lngBufferBytes, uint32_t& lngType,
                               std::string& bytes) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // RegOpenKeyExA: strPath below the root, with the access mask.
    virtual int32_t OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                              std::unique_ptr<RegistryKey>& key) = 0;
    // RegOpenKeyA: the same with the default access.
    virtual int32_t OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<RegistryKey>& key) = 0;
    // True where the registry has separate 64-bit and 32-bit views that a walk
    // of the whole inventory must both visit.
    virtual bool HasSeparateViews() const = 0;
};

}  // namespace platform
