#include "platform/win32/Win32DialUp.h"

#include <windows.h>
// After windows.h: the remote-access declarations need its types.
#include <ras.h>

#include <cstring>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {
constexpr size_t kRecords = 256;
}

int32_t Win32DialUp::EnumEntries(std::vector<std::wstring>& names) {
    names.clear();
    std::vector<RASENTRYNAMEA> records(kRecords);
    records[0].dwSize = sizeof(RASENTRYNAMEA);
    DWORD bytes = static_cast<DWORD>(records.size() * sizeof(RASENTRYNAMEA));
    DWORD count = 0;
    const DWORD result = RasEnumEntriesA(nullptr, nullptr, records.data(), &bytes, &count);
    if (result != ERROR_SUCCESS) return static_cast<int32_t>(result);
    if (count > kRecords) count = kRecords;
    for (DWORD i = 0; i < count; ++i) {
        const char* name = records[i].szEntryName;
        names.push_back(FromAnsi(std::string_view(name, strnlen(name, sizeof records[i].szEntryName))));
    }
    return ERROR_SUCCESS;
}

}  // namespace platform::win32
