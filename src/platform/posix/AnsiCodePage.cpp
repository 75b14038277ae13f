#include "platform/AnsiCodePage.h"

#include "base/CodePage.h"

namespace platform {

namespace {
// A byte of a file name that is not UTF-8 travels as U+DC00 + byte
// (see FromNativeName); it goes back out as that byte.
bool IsKeptByte(wchar_t ch) { return ch >= 0xDC80 && ch <= 0xDCFF; }
}  // namespace

// Linux speaks UTF-8; stray bytes are taken as Windows-1250 so that files
// written by the Windows program still read right.
std::wstring FromAnsi(std::string_view bytes) { return base::Utf8ToWide(bytes); }

std::string ToAnsi(std::wstring_view text) {
    size_t start = 0;
    size_t kept = 0;
    while (kept < text.size() && !IsKeptByte(text[kept])) ++kept;
    if (kept == text.size()) return base::WideToUtf8(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (;;) {
        bytes += base::WideToUtf8(text.substr(start, kept - start));
        if (kept == text.size()) return bytes;
        bytes.push_back(static_cast<char>(text[kept] - 0xDC00));
        start = ++kept;
        while (kept < text.size() && !IsKeptByte(text[kept])) ++kept;
    }
}

int AnsiCharCode(wchar_t ch) { return base::CharCodeCp1250(ch); }

}  // namespace platform
