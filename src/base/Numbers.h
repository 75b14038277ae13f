#pragma once
// Reading numbers from texts the way the knowledge base and log.ini expect:
// optional blanks, sign, digits with at most one decimal mark, an optional
// exponent, and nothing else. Whole numbers round half to even; narrowing to
// 16 or 32 bits raises error 6 "Overflow" instead of wrapping.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// The decimal mark numbers are read with: "." unless the start-up sets the
// user's locale mark (the Windows build does).
wchar_t DecimalMark() noexcept;
void SetDecimalMark(wchar_t chMark) noexcept;

// The value of a numeric text, or nothing when the text is not numeric.
std::optional<double> ParseNumber(std::wstring_view strText);
std::optional<double> ParseNumber(std::wstring_view strText, wchar_t chDecimalMark);
bool IsNumeric(std::wstring_view strText);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double dblValue) noexcept;

// Rounded and narrowed; raise error 6 when the result does not fit (NaN too).
int16_t CInt(double dblValue);
int32_t CLng(double dblValue);
// Texts: raise error 13 "Type mismatch" when not numeric, 6 when out of range.
int16_t CInt(std::wstring_view strText);
int32_t CLng(std::wstring_view strText);

}  // namespace base
