#pragma once
// Services and drivers on Linux: systemd units and init scripts stand for
// services, loaded kernel modules for drivers.

#include <string>

#include "platform/Services.h"

namespace platform::posix {

class PosixServices final : public Services {
public:
    // strRoot is put before every system path; only tests set it.
    explicit PosixServices(std::string strRoot = {}) : mRoot(std::move(strRoot)) {}
    ServiceEnumResult Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                std::vector<ServiceEntry>& entries) override;

private:
    bool AddServices(std::vector<ServiceEntry>& entries) const;
    bool AddDrivers(std::vector<ServiceEntry>& entries) const;
    std::string mRoot;
};

}  // namespace platform::posix
