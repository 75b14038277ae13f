#pragma once
// Code-page conversions that do not need the operating system: UTF-8 and
// Windows-1250 (the program's Central European character set). The ANSI code
// page of the running system is a platform matter (platform/AnsiCodePage.h).

#include <string>
#include <string_view>

namespace base {

// Windows-1250 byte <-> character. A character outside the code page gives
// '?' (the usual best-fit replacement); undefined bytes map to U+FFFD.
wchar_t Cp1250ToChar(unsigned char byte) noexcept;
char CharToCp1250(wchar_t ch) noexcept;
// Code of a character in Windows-1250 (0 to 255), 63 ('?') when it has none.
int CharCodeCp1250(wchar_t ch) noexcept;

std::wstring Cp1250ToWide(std::string_view bytes);
std::string WideToCp1250(std::wstring_view text);

// UTF-8. Decoding reads every byte sequence that is not valid UTF-8 as a
// Windows-1250 byte, so a file written on Windows still reads right.
// Encoding writes lone surrogates (Windows) as U+FFFD.
std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);

}  // namespace base
