#pragma once
// Process snapshot concern.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

inline constexpr uint32_t kSnapProcess = 2;

class Processes {
public:
    virtual ~Processes() = default;
    // The executable names of a snapshot, in snapshot order; false when no
    // snapshot can be taken.
    virtual bool Snapshot(uint32_t lngFlags, std::vector<std::wstring>& exeNames) = 0;
};

}  // namespace platform
