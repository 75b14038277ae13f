#pragma once
// The enumerators: each appends the lines of one inventory to a list and
// never clears it. They trap their own errors; the result is 0 after a normal
// run, else the number of the error that ended the enumeration (the gathering
// ignores it).

#include <cstdint>
#include <string_view>

#include "inventory/clsEnumList.h"

namespace mdlEnumList {

// The uninstall key the REGISTRY class walks.
inline constexpr const wchar_t* kUninstallKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Subkeys of strKey below the local machine: "name~#display name" lines.
int32_t RegistryList(std::wstring_view strKey, clsEnumList& objList);
// Depth-first walk below strPath: relative paths from lngStart on.
int32_t FileList(std::wstring_view strPath, clsEnumList& objList, int32_t lngLevel, int32_t lngStart);
// Services or drivers: "display name~#service name" lines.
int32_t ServiceList(int32_t lngServiceType, int32_t lngServiceState, clsEnumList& objList);
// Executable names of the running processes.
int32_t ProcessList(int32_t lngFlags, clsEnumList& objList);
// "Count=N" then the dial-up entry names; nothing without dial-up support.
int32_t DUNList(clsEnumList& objList);
// The content fetched from strURL, unchanged; nothing when the fetch fails.
// 1 after a normal run (a failed fetch included), 0 after an error.
int32_t DownloadFile(std::wstring_view strURL, clsEnumList& objList);

}  // namespace mdlEnumList
