#pragma once
// Dial-up phone book concern.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class DialUp {
public:
    virtual ~DialUp() = default;
    // The entry names of the default phone book; 0 = success, anything else
    // = failure (no dial-up support, too many entries, any other error).
    virtual int32_t EnumEntries(std::vector<std::wstring>& names) = 0;
};

}  // namespace platform
