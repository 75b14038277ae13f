#pragma once
// The system's ANSI code page: CP_ACP on Windows; on Linux UTF-8, with bytes
// that are not valid UTF-8 read as Windows-1250.

#include <string>
#include <string_view>

namespace platform {

std::wstring FromAnsi(std::string_view bytes);
std::string ToAnsi(std::wstring_view text);
// Code of one character in the ANSI code page (what Asc gives), for keys that
// must be the same on every build: Windows-1250 on Linux, '?' (63) when the
// character has no code.
int AnsiCharCode(wchar_t ch);

}  // namespace platform
