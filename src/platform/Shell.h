#pragma once
// Opening a document or link with the system's handler.

#include <cstdint>
#include <string_view>

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteA "Open" with no parameters, strWorkingFolder as working
    // folder, shown normally. Above 32 = success; 32 or below = failure.
    virtual intptr_t Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) = 0;
};

}  // namespace platform
