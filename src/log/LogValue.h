#pragma once
// Values handed to a debug record. Each alternative is one kind the writer can
// tell apart when it renders the dump (integers of each width, floats,
// currency, dates, texts, objects, error values, Booleans, ...).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace mdlLog {

struct LogEmpty {};
struct LogNull {};
// An omitted optional argument.
struct LogMissing {};
// An error value other than a missing argument.
struct LogErrorValue { int32_t Code = 0; };
// Currency: a fixed-point value in ten-thousandths.
struct LogCurrency { int64_t Scaled = 0; };
// A date as days since 1899-12-30 with the time as the fraction.
struct LogDate { double Serial = 0; };
// A decimal number, already as its text.
struct LogDecimal { std::wstring Text; };
// A value held in a variant by reference, shown by its text.
struct LogVariantText { std::wstring Text; };
// An object: each property is absent when reading it fails.
struct LogObject {
    std::optional<std::wstring> ClassName;
    std::optional<std::wstring> Name;
    std::optional<int32_t> InstanceID;
    std::wstring TypeName;
};
// A data object, shown by its name.
struct LogDataObject { std::wstring Name; };
struct LogUserType {};
struct LogArray {};
// Anything the dump does not know.
struct LogUnknown {};

using LogValue = std::variant<LogEmpty, LogNull, int16_t, int32_t, float, double, LogCurrency, LogDate, std::wstring,
                              LogObject, LogErrorValue, LogMissing, bool, LogVariantText, LogDataObject, LogDecimal,
                              uint8_t, LogUserType, LogArray, LogUnknown>;
using LogValues = std::vector<LogValue>;

// The classic variant type code of a value (2 for a 16-bit integer, 8 for a
// text, 8192 for an array, ...).
int32_t VarType(const LogValue& value);

// Conversions used by LogDebug's argument list. Texts stay texts (never
// Booleans); 64-bit numbers are shown as doubles when they fit no 32-bit field.
inline LogValue ToLogValue(const LogValue& value) { return value; }
inline LogValue ToLogValue(std::wstring_view text) { return std::wstring(text); }
inline LogValue ToLogValue(const std::wstring& text) { return text; }
inline LogValue ToLogValue(const wchar_t* text) { return std::wstring(text != nullptr ? text : L""); }
inline LogValue ToLogValue(bool value) { return value; }
inline LogValue ToLogValue(float value) { return value; }
inline LogValue ToLogValue(double value) { return value; }
LogValue ToLogValue(int64_t value);
LogValue ToLogValue(uint64_t value);
// Whole numbers of any width: bytes, 16- and 32-bit integers keep their kind;
// wider or unsigned ones become the narrowest kind that holds them.
template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, wchar_t> &&
             !std::is_same_v<T, char>)
LogValue ToLogValue(T value) {
    if constexpr (std::is_same_v<T, uint8_t>) {
        return value;
    } else if constexpr (std::is_signed_v<T> && sizeof(T) == 2) {
        return static_cast<int16_t>(value);
    } else if constexpr (std::is_signed_v<T> && sizeof(T) <= 4) {
        return static_cast<int32_t>(value);
    } else if constexpr (std::is_signed_v<T>) {
        return ToLogValue(static_cast<int64_t>(value));
    } else {
        return ToLogValue(static_cast<uint64_t>(value));
    }
}

}  // namespace mdlLog
