#pragma once
// Wrappers over the operating system used by the gathering.

#include <cstdint>
#include <string>
#include <string_view>

namespace mdlAPI {

// A text value of a registry key; false when the key or value is missing or
// the value is not text (the latter also writes an error record).
bool GetRegValue(uint32_t hKeyRoot, std::wstring_view vKey, std::wstring_view strValueName, std::wstring& vValue,
                 int32_t& lngType);
// The path of a special folder; empty when there is none.
std::wstring GetFolderPath(int32_t lngFolder, int32_t lngFlags);

}  // namespace mdlAPI
