#include "detect/clsTrack.h"

#include "base/Numbers.h"
#include "base/Text.h"
#include "platform/AnsiCodePage.h"

void clsTrack::InputValue(std::wstring_view strInputValue) {
    if (strInputValue == mstrInputValue) return;
    mstrInputValue = strInputValue;
    UpdateEnumListID();
}

void clsTrack::Class(std::wstring_view strClass) {
    std::wstring strUpper = base::UCase(strClass);
    if (strUpper == mstrClass) return;
    mstrClass = std::move(strUpper);
    UpdateEnumListID();
}

void clsTrack::Operator(std::wstring_view strOperator) { mstrOperator = base::UCase(strOperator); }

void clsTrack::UpdateEnumListID() { mstrEnumListID = GetTextChecksum(mstrClass + mstrInputValue); }

// A 16-bit feedback checksum (0x8005) whose byte step keeps two quirks that
// are part of every stored key: the character enters as its low seven bits
// doubled, and the high byte is taken by rounding half to even.
std::wstring clsTrack::GetTextChecksum(std::wstring_view strText) {
    int32_t c = 0;
    for (size_t i = 0; i < strText.size(); ++i) {
        const wchar_t ch = strText[i];
        int32_t code;
        // A surrogate pair is one character with no ANSI code, as on a build
        // with 32-bit characters, so keys agree across builds.
        const uint32_t u = static_cast<uint32_t>(ch);
        const uint32_t next = i + 1 < strText.size() ? static_cast<uint32_t>(strText[i + 1]) : 0u;
        if (u >= 0xD800u && u <= 0xDBFFu && next >= 0xDC00u && next <= 0xDFFFu) {
            code = '?';
            ++i;
        } else {
            code = platform::AnsiCharCode(ch);
        }
        const int32_t a = (code & 127) * 2;
        int32_t h = static_cast<int32_t>(base::RoundHalfEven(static_cast<double>(c) / 256.0));
        h ^= a;
        c = (c & 255) | (h * 256);
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = c >= 32768;
            c = (c & 0x7FFF) * 2;
            if (carry) c ^= 0x8005;
        }
    }
    return base::DecStr(c);
}
