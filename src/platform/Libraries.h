#pragma once
// Library load concern.

#include <cstdint>
#include <string_view>

namespace platform {

class Libraries {
public:
    virtual ~Libraries() = default;
    // A module handle, 0 when the library cannot be loaded. Windows: a name
    // without a path is looked for where the system's standard search would
    // look, except beside the program and in the current folder, and loaded
    // by its full path; a valid library of the other width counts as loaded
    // (mapped as an image, never run).
    virtual uintptr_t Load(std::wstring_view strName) = 0;
    // The release call's result: non-zero = released, 0 = failure.
    virtual int32_t Free(uintptr_t hModule) = 0;
};

// Called once at program start, before any library is loaded by name: from
// then on the libraries the program itself needs are looked up only in the
// system folder, so a library planted next to the program or in the working
// folder is never loaded. False when the system cannot restrict the search.
bool HardenLibraryLoading();

}  // namespace platform
