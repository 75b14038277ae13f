#pragma once
// The user-interface texts (Czech): one table, read by id. The Windows
// resource file's string table is generated from, or checked against,
// StringTableEntries(), so the two can never drift apart.

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/Text.h"

namespace ui {

struct StringEntry {
    int32_t ID;
    std::wstring_view Text;
};

// Every entry of the table in ascending id order.
std::span<const StringEntry> StringTableEntries();

// The text with that id; empty for an id the table does not hold.
std::wstring GetString(int32_t lngID);

// Replaces every "{i}" of strText by the i-th value, for i = 0, 1, 2, ... in
// turn; placeholders without a value stay as they are.
std::wstring FormatStringValues(std::wstring_view strText, const std::vector<std::wstring>& values);

namespace detail {
inline std::wstring FormatValue(std::wstring_view strValue) { return std::wstring(strValue); }
inline std::wstring FormatValue(const wchar_t* strValue) { return strValue ? std::wstring(strValue) : std::wstring(); }
inline std::wstring FormatValue(const std::wstring& strValue) { return strValue; }
template <std::integral T>
std::wstring FormatValue(T value) { return base::DecStr(static_cast<int64_t>(value)); }
}  // namespace detail

template <typename... Args>
std::wstring FormatString(std::wstring_view strText, const Args&... values) {
    return FormatStringValues(strText, std::vector<std::wstring>{detail::FormatValue(values)...});
}

template <typename... Args>
std::wstring GetStringFormat(int32_t lngID, const Args&... values) {
    return FormatString(GetString(lngID), values...);
}

}  // namespace ui
