// The ANSI code page of the running system (CP_ACP).

#include "platform/AnsiCodePage.h"

#include <windows.h>

#include <climits>
#include <cstdint>
#include <stdexcept>

namespace platform {

namespace {

int CheckedLength(size_t size) {
    // The conversion calls count in int; nothing the program handles comes near.
    if (size > static_cast<size_t>(INT_MAX)) throw std::length_error("text too long for the ANSI conversion");
    return static_cast<int>(size);
}

// Best-fit mapping (flags 0) with '?' for what has no fit, as the ANSI calls
// convert. With UTF-8 as the ANSI code page a default character is rejected
// (ERROR_INVALID_PARAMETER), and nothing is unmappable there anyway.
const char* DefaultChar() { return GetACP() == CP_UTF8 ? nullptr : "?"; }

}  // namespace

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = CheckedLength(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring text(static_cast<size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return text;
}

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = CheckedLength(text.size());
    const char* defaultChar = DefaultChar();
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, defaultChar, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<size_t>(needed), '\0');
    const int written =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, defaultChar, nullptr);
    bytes.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return bytes;
}

int AnsiCharCode(wchar_t ch) {
    constexpr int kQuestionMark = 63;
    // A lone UTF-16 half has no code in any code page.
    if (ch >= 0xD800 && ch <= 0xDFFF) return kQuestionMark;
    char bytes[8] = {};
    const int written = WideCharToMultiByte(CP_ACP, 0, &ch, 1, bytes, sizeof bytes, DefaultChar(), nullptr);
    if (written == 1) return static_cast<unsigned char>(bytes[0]);
    if (written == 2) {
        // A double-byte character: lead and trail byte as one 16-bit integer,
        // negative when the lead byte has its top bit set.
        const auto code = static_cast<uint16_t>((static_cast<unsigned char>(bytes[0]) << 8) |
                                                static_cast<unsigned char>(bytes[1]));
        return static_cast<int16_t>(code);
    }
    // Failure, or a longer UTF-8 sequence that no 16-bit code can hold.
    return kQuestionMark;
}

}  // namespace platform
