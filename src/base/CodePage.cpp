#include "base/CodePage.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace base {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Bytes 0x80-0xFF of Windows-1250; 0x00-0x7F are ASCII.
constexpr std::array<char16_t, 128> kCp1250High = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// Reverse lookup, built at compile time. Characters U+0080-U+017F (where
// nearly all of the code page's letters lie) index a direct table, 0 meaning
// "not in the code page"; the few punctuation marks and accents above
// U+017F are found by binary search.
constexpr uint32_t kDirectLimit = 0x180;

constexpr std::array<uint8_t, kDirectLimit> MakeDirect() {
    std::array<uint8_t, kDirectLimit> table{};
    for (uint32_t i = 0; i < 0x80; ++i) table[i] = static_cast<uint8_t>(i);
    for (uint32_t i = 0; i < 128; ++i) {
        const uint32_t ch = kCp1250High[i];
        if (ch < kDirectLimit) table[ch] = static_cast<uint8_t>(0x80 + i);
    }
    return table;
}

constexpr auto kDirect = MakeDirect();

struct HighEntry {
    char16_t ch;
    uint8_t byte;
};

constexpr size_t CountFar() {
    size_t n = 0;
    for (char16_t ch : kCp1250High) {
        if (ch >= kDirectLimit && ch != kReplacement) ++n;
    }
    return n;
}

constexpr std::array<HighEntry, CountFar()> MakeFar() {
    std::array<HighEntry, CountFar()> table{};
    size_t n = 0;
    for (uint32_t i = 0; i < 128; ++i) {
        const char16_t ch = kCp1250High[i];
        if (ch >= kDirectLimit && ch != kReplacement) table[n++] = {ch, static_cast<uint8_t>(0x80 + i)};
    }
    std::sort(table.begin(), table.end(), [](const HighEntry& a, const HighEntry& b) { return a.ch < b.ch; });
    return table;
}

constexpr auto kFar = MakeFar();

// The byte for a character, or -1 when the code page lacks it.
int Cp1250Byte(wchar_t ch) noexcept {
    const uint32_t c = static_cast<uint32_t>(ch);
    if (c < kDirectLimit) {
        if (c < 0x80) return static_cast<int>(c);
        return kDirect[c] != 0 ? kDirect[c] : -1;
    }
    if (c > 0xFFFF) return -1;
    const auto it = std::lower_bound(kFar.begin(), kFar.end(), c,
                                     [](const HighEntry& e, uint32_t value) { return e.ch < value; });
    return (it != kFar.end() && it->ch == c) ? it->byte : -1;
}

constexpr bool IsContinuation(unsigned char b) noexcept { return (b & 0xC0) == 0x80; }

// Appends a code point, as a surrogate pair where wchar_t has 16 bits.
void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

// Length of the well-formed UTF-8 sequence starting at p[0] (p has `left`
// bytes), with its code point in `cp`; 0 when none starts there. The ranges
// of the second byte exclude overlong forms, surrogates and values above
// U+10FFFF.
size_t DecodeSequence(const unsigned char* p, size_t left, char32_t& cp) noexcept {
    const unsigned char b0 = p[0];
    size_t length;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        cp = b0 & 0x0F;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        cp = b0 & 0x07;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (left < length || p[1] < lo || p[1] > hi) return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!IsContinuation(p[i])) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

constexpr bool IsHighSurrogate(uint32_t c) noexcept { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(uint32_t c) noexcept { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

wchar_t Cp1250ToChar(unsigned char byte) noexcept {
    return byte < 0x80 ? static_cast<wchar_t>(byte) : static_cast<wchar_t>(kCp1250High[byte - 0x80]);
}

char CharToCp1250(wchar_t ch) noexcept {
    const int byte = Cp1250Byte(ch);
    return byte < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(byte));
}

int CharCodeCp1250(wchar_t ch) noexcept {
    const int byte = Cp1250Byte(ch);
    return byte < 0 ? '?' : byte;
}

std::wstring Cp1250ToWide(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) text[i] = Cp1250ToChar(static_cast<unsigned char>(bytes[i]));
    return text;
}

std::string WideToCp1250(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) bytes[i] = CharToCp1250(text[i]);
    return bytes;
}

std::wstring Utf8ToWide(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());  // never more characters than bytes
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    size_t i = 0;
    while (i < size) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            text.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        char32_t cp;
        const size_t length = DecodeSequence(p + i, size - i, cp);
        if (length != 0) {
            AppendCodePoint(text, cp);
            i += length;
        } else {
            // Not UTF-8: most likely text saved in the Central European
            // code page, so read this one byte that way and resynchronise.
            text.push_back(Cp1250ToChar(b));
            ++i;
        }
    }
    return text;
}

std::string WideToUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const uint32_t c = static_cast<uint32_t>(text[i]);
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
            continue;
        }
        char32_t cp = c;
        if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            cp = kReplacement;
            if (sizeof(wchar_t) == 2 && IsHighSurrogate(c) && i + 1 < size) {
                const uint32_t next = static_cast<uint32_t>(text[i + 1]);
                if (IsLowSurrogate(next)) {
                    cp = 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00);
                    ++i;
                }
            }
        } else if (c > 0x10FFFF) {
            cp = kReplacement;
        }
        AppendUtf8(bytes, cp);
    }
    return bytes;
}

}  // namespace base
