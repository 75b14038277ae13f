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

// Called once at program start, before any library is loaded by name: from
// then on a name without a path is looked up only in the system folder, so
// a library planted next to the program or in the working folder is never
// loaded. False when the system cannot restrict the search.
bool HardenLibraryLoading();

}  // namespace platform
