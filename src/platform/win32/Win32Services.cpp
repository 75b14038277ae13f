#include "platform/win32/Win32Services.h"

#include <windows.h>

#include <algorithm>
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

Win32Services::Win32Services(uint32_t lngBatchBytes, EnumServicesCall objEnum)
    : mBatchBytes(lngBatchBytes), mEnum(objEnum != nullptr ? objEnum : &EnumServicesStatusA) {}

ServiceEnumResult Win32Services::Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                           std::vector<ServiceEntry>& entries) {
    entries.clear();
    ServiceManager manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager.Valid()) return ServiceEnumResult::OpenFailed;

    DWORD needed = 0;
    DWORD count = 0;
    DWORD resume = 0;
    // The size query: with no buffer it answers "more data" and the size.
    if (mEnum(manager.Get(), lngServiceType, lngServiceState, nullptr, 0, &needed, &count, &resume) !=
        0) {
        return ServiceEnumResult::Ok;  // nothing of that kind
    }
    if (GetLastError() != ERROR_MORE_DATA) return ServiceEnumResult::SizeFailed;
    // Batches go on from the resume handle until the manager says the list is
    // complete: a service added between two calls only makes one more batch.
    resume = 0;
    bool grow = false;  // the last batch held nothing: the next entry needs all that is asked for
    for (;;) {
        const DWORD wanted = grow ? needed : std::min<DWORD>(needed, mBatchBytes);
        // Records and the names they point to share one buffer, aligned for the records.
        std::vector<ENUM_SERVICE_STATUSA> buffer(wanted / sizeof(ENUM_SERVICE_STATUSA) + 1);
        const DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(ENUM_SERVICE_STATUSA));
        count = 0;
        const DWORD before = resume;
        const bool complete = mEnum(manager.Get(), lngServiceType, lngServiceState, buffer.data(), bytes,
                                                  &needed, &count, &resume) != 0;
        if (!complete && GetLastError() != ERROR_MORE_DATA) return ServiceEnumResult::EnumFailed;
        const char* begin = reinterpret_cast<const char*>(buffer.data());
        const char* end = begin + bytes;
        for (DWORD i = 0; i < count; ++i) {
            entries.push_back(
                {NameAt(buffer[i].lpDisplayName, begin, end), NameAt(buffer[i].lpServiceName, begin, end)});
        }
        if (complete) return ServiceEnumResult::Ok;
        // A batch that moves nothing forward twice, or a resume handle that
        // does not move, would repeat for ever.
        if ((count == 0 && grow) || (count > 0 && resume == before)) return ServiceEnumResult::EnumFailed;
        grow = count == 0;
    }
}

}  // namespace platform::win32
