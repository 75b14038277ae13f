#include "platform/AnsiCodePage.h"

#include "base/CodePage.h"

namespace platform {

// Linux speaks UTF-8; stray bytes are taken as Windows-1250 so that files
// written by the Windows program still read right.
std::wstring FromAnsi(std::string_view bytes) { return base::Utf8ToWide(bytes); }
std::string ToAnsi(std::wstring_view text) { return base::WideToUtf8(text); }
int AnsiCharCode(wchar_t ch) { return base::CharCodeCp1250(ch); }

}  // namespace platform
