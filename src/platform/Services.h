#pragma once
// Service manager concern: the services or drivers of a kind, with their names.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

inline constexpr uint32_t kServiceWin32 = 48;   // own and shared processes
inline constexpr uint32_t kServiceDriver = 3;   // kernel and file-system drivers
inline constexpr uint32_t kServiceStateAll = 3; // active and inactive

struct ServiceEntry {
    std::wstring DisplayName;
    std::wstring ServiceName;
};

enum class ServiceEnumResult {
    Ok,
    OpenFailed,   // the service manager cannot be opened
    SizeFailed,   // the size query did not answer "more data"
    EnumFailed,   // the enumeration itself failed
};

class Services {
public:
    virtual ~Services() = default;
    virtual ServiceEnumResult Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                        std::vector<ServiceEntry>& entries) = 0;
};

}  // namespace platform
