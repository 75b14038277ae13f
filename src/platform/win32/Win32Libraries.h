#pragma once
// Library load through the loader's ANSI calls.

#include "platform/Libraries.h"

namespace platform::win32 {

class Win32Libraries final : public Libraries {
public:
    uintptr_t Load(std::wstring_view strName) override;
    int32_t Free(uintptr_t hModule) override;
};

}  // namespace platform::win32
