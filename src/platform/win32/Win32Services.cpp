#include "platform/win32/Win32Services.h"

#include <windows.h>

#include <cstring>

#include "platform/AnsiCodePage.h"
#include "platform/win32/Win32Handles.h"

namespace platform::win32 {

namespace {

using ServiceManager = UniqueHandle<SC_HANDLE, &CloseServiceHandle>;

// A name the records point to: normally inside the buffer, measured up to
// the buffer's end; copied whatever its length.
std::wstring NameAt(const char* name, const char* begin, const char* end) {
    if (name == nullptr) return {};
    const size_t length = name >= begin && name < end ? strnlen(name, static_cast<size_t>(end - name)) : strlen(name);
    return FromAnsi(std::string_view(name, length));
}

}  // namespace

ServiceEnumResult Win32Services::Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                           std::vector<ServiceEntry>& entries) {
    entries.clear();
    ServiceManager manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager.Valid()) return ServiceEnumResult::OpenFailed;

    DWORD needed = 0;
    DWORD count = 0;
    DWORD resume = 0;
    // The size query: with no buffer it answers "more data" and the size.
    if (EnumServicesStatusA(manager.Get(), lngServiceType, lngServiceState, nullptr, 0, &needed, &count, &resume) !=
        0) {
        return ServiceEnumResult::Ok;  // nothing of that kind
    }
    if (GetLastError() != ERROR_MORE_DATA) return ServiceEnumResult::SizeFailed;
    // Records and the names they point to share one buffer, aligned for the
    // records. A service added meanwhile makes the list grow: ask again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<ENUM_SERVICE_STATUSA> buffer(needed / sizeof(ENUM_SERVICE_STATUSA) + 1);
        const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(ENUM_SERVICE_STATUSA));
        resume = 0;
        count = 0;
        if (EnumServicesStatusA(manager.Get(), lngServiceType, lngServiceState, buffer.data(), bytes, &needed, &count,
                                &resume) == 0) {
            if (GetLastError() == ERROR_MORE_DATA) continue;
            return ServiceEnumResult::EnumFailed;
        }
        const char* begin = reinterpret_cast<const char*>(buffer.data());
        const char* end = begin + bytes;
        entries.reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            entries.push_back(
                {NameAt(buffer[i].lpDisplayName, begin, end), NameAt(buffer[i].lpServiceName, begin, end)});
        }
        return ServiceEnumResult::Ok;
    }
    return ServiceEnumResult::EnumFailed;
}

}  // namespace platform::win32
