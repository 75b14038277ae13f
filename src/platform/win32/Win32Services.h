#pragma once
// Services and drivers through the service control manager.

#include "platform/Services.h"

namespace platform::win32 {

class Win32Services final : public Services {
public:
    ServiceEnumResult Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                std::vector<ServiceEntry>& entries) override;
};

}  // namespace platform::win32
