#pragma once
// The registry through the ANSI registry calls.

#include "platform/Registry.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
public:
    int32_t OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                      std::unique_ptr<RegistryKey>& key) override;
    int32_t OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<RegistryKey>& key) override;
    bool HasSeparateViews() const override;
};

}  // namespace platform::win32
