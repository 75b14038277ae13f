#pragma once
// Library load on Linux: the dynamic loader.

#include "platform/Libraries.h"

namespace platform::posix {

class PosixLibraries final : public Libraries {
public:
    uintptr_t Load(std::wstring_view strName) override;
    int32_t Free(uintptr_t hModule) override;
};

}  // namespace platform::posix
