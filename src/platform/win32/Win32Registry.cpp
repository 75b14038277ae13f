#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/AnsiCodePage.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

namespace {

using KeyHandle = UniqueHandle<HKEY, &RegCloseKey>;

// The predefined roots are 32-bit values that HKEY carries sign-extended.
HKEY RootKey(uint32_t hRoot) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(hRoot))); }

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY handle) : mKey(handle) {}

    int32_t EnumKey(uint32_t lngIndex, uint32_t lngMaxChars, std::wstring& strName) override {
        strName.clear();
        std::vector<char> name(lngMaxChars + 1u, '\0');
        DWORD length = lngMaxChars;
        const LONG result =
            RegEnumKeyExA(mKey.Get(), lngIndex, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) return result;
        strName = FromAnsi(std::string_view(name.data(), strnlen(name.data(), length)));
        return ERROR_SUCCESS;
    }

    int32_t QueryValue(std::wstring_view strValueName, uint32_t lngBufferBytes, uint32_t& lngType,
                       std::string& bytes) override {
        bytes.clear();
        std::string buffer(lngBufferBytes, '\0');
        DWORD type = 0;
        DWORD count = lngBufferBytes;
        const std::string valueName = ToAnsi(strValueName);
        const LONG result = RegQueryValueExA(mKey.Get(), valueName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &count);
        if (result != ERROR_SUCCESS) return result;
        lngType = type;
        buffer.resize(count < lngBufferBytes ? count : lngBufferBytes);
        bytes = std::move(buffer);
        return ERROR_SUCCESS;
    }

private:
    KeyHandle mKey;
};

int32_t Opened(LONG result, HKEY handle, std::unique_ptr<RegistryKey>& key) {
    if (result != ERROR_SUCCESS) return result;
    key = std::make_unique<Win32RegistryKey>(handle);
    return ERROR_SUCCESS;
}

}  // namespace

int32_t Win32Registry::OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                                 std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY handle = nullptr;
    const LONG result = RegOpenKeyExA(RootKey(hRoot), ToAnsi(strPath).c_str(), 0, lngAccess, &handle);
    return Opened(result, handle, key);
}

int32_t Win32Registry::OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<RegistryKey>& key) {
    key.reset();
    HKEY handle = nullptr;
    const LONG result = RegOpenKeyA(RootKey(hRoot), ToAnsi(strPath).c_str(), &handle);
    return Opened(result, handle, key);
}

// This program is 64-bit: the 32-bit view is a separate one.
bool Win32Registry::HasSeparateViews() const { return sizeof(void*) == 8; }

}  // namespace platform::win32
