#pragma once
// Library load concern.

#include <cstdint>
#include <string_view>

namespace platform {

class Libraries {
public:
    virtual ~Libraries() = default;
    // A module handle, 0 when the library cannot be loaded.
    virtual uintptr_t Load(std::wstring_view strName) = 0;
    // The release call's result: non-zero = released, 0 = failure.
    virtual int32_t Free(uintptr_t hModule) = 0;
};

}  // namespace platform
