#pragma once
// Text helpers. Case mapping never depends on the process locale: Czech
// letters (and the rest of Latin, Greek and Cyrillic) fold the same in a C
// locale as in a Czech one.

#include <cstdint>
#include <string>
#include <string_view>

namespace base {

wchar_t UpperChar(wchar_t ch) noexcept;
wchar_t LowerChar(wchar_t ch) noexcept;
std::wstring UCase(std::wstring_view strText);
std::wstring LCase(std::wstring_view strText);

// Characters from this code on are left alone by UpperChar and LowerChar.
inline constexpr uint32_t kCaseMappedEnd = 0x600;
// One representative of every set of characters that UpperChar or LowerChar
// make equal (I, i, ı and İ all give one code), so a search over this fold
// finds every place where either mapping would see a match. Never changes
// the number of characters.
wchar_t CaselessChar(wchar_t ch) noexcept;

// Equality without regard to case.
bool TextEquals(std::wstring_view strA, std::wstring_view strB) noexcept;

// 1-based position of strFind in strText at or after lngStart (1-based; a
// start below 1 counts as 1), 0 when absent. An empty strFind is found at
// lngStart when lngStart is the position of a character of strText (1 to
// Len), so never in an empty text. blnIgnoreCase compares case-folded.
int32_t InStr(int32_t lngStart, std::wstring_view strText, std::wstring_view strFind, bool blnIgnoreCase = false);

// Blanks (spaces only, as the classic Trim) removed.
std::wstring Trim(std::wstring_view strText);
std::wstring LTrim(std::wstring_view strText);
std::wstring RTrim(std::wstring_view strText);

// Text up to its first NUL character.
std::wstring_view CutAtNul(std::wstring_view strText) noexcept;

// Decimal text of a whole number.
std::wstring DecStr(int64_t value);

}  // namespace base
