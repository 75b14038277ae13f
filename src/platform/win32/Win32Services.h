#pragma once
// Services and drivers through the service control manager.

#include "platform/Services.h"

// The service manager's handle and record types (from <windows.h>).
struct SC_HANDLE__;
struct _ENUM_SERVICE_STATUSA;

namespace platform::win32 {

// EnumServicesStatusA's signature, so that tests can stand in for the service manager.
using EnumServicesCall = int(__stdcall*)(SC_HANDLE__* hManager, unsigned long lngType, unsigned long lngState,
                                         _ENUM_SERVICE_STATUSA* objBuffer, unsigned long lngBytes,
                                         unsigned long* lngNeeded, unsigned long* lngReturned,
                                         unsigned long* lngResume);

class Win32Services final : public Services {
public:
    // lngBatchBytes: the most one call is asked to fill (the manager's limit
    // is 256 KiB); objEnum: the enumeration call, EnumServicesStatusA when none.
    explicit Win32Services(uint32_t lngBatchBytes = 256 * 1024, EnumServicesCall objEnum = nullptr);
    ServiceEnumResult Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                std::vector<ServiceEntry>& entries) override;

private:
    uint32_t mBatchBytes;
    EnumServicesCall mEnum;
};

}  // namespace platform::win32
