#include "base/Text.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace base {

namespace {

// wchar_t is signed on Linux; working on the unsigned code keeps the range
// tests simple there and on Windows alike.
constexpr uint32_t Code(wchar_t ch) noexcept { return static_cast<uint32_t>(ch); }
constexpr wchar_t Char(uint32_t code) noexcept { return static_cast<wchar_t>(code); }

// In Latin Extended-A most pairs put the capital on the even code; the runs
// U+0139-U+0148 and U+0179-U+017E put it on the odd one.
constexpr bool CapitalIsEven(uint32_t c) noexcept {
    return c < 0x0139 || (c > 0x0148 && c < 0x0179);
}

// Letters of U+0100-U+017F without a one-character partner in the
// other case: ĸ (kra) and ŉ have none; İ, ı, Ÿ and ſ are handled apart.
constexpr bool IsUnpairedLatinA(uint32_t c) noexcept {
    return c == 0x0138 || c == 0x0149;
}

template <typename Map>
std::wstring MapChars(std::wstring_view strText, Map map) {
    std::wstring result(strText.size(), L'\0');
    for (size_t i = 0; i < strText.size(); ++i) result[i] = map(strText[i]);
    return result;
}

}  // namespace

wchar_t UpperChar(wchar_t ch) noexcept {
    const uint32_t c = Code(ch);
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? Char(c - 0x20) : ch;
    if (c < 0x100) {
        // ß has no single-character capital and stays as it is.
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return Char(c - 0x20);
        if (c == 0xFF) return Char(0x0178);  // ÿ -> Ÿ
        return ch;
    }
    if (c < 0x180) {
        if (c == 0x0131) return L'I';  // dotless ı
        if (c == 0x017F) return L'S';  // long ſ
        if (c == 0x0130 || c == 0x0178 || IsUnpairedLatinA(c)) return ch;
        const bool isLower = CapitalIsEven(c) ? (c & 1) != 0 : (c & 1) == 0;
        return isLower ? Char(c - 1) : ch;
    }
    if (c >= 0x03AC && c <= 0x03CE) {  // Greek small letters
        if (c == 0x03C2) return Char(0x03A3);  // final ς -> Σ
        if (c >= 0x03B1 && c <= 0x03CB) return Char(c - 0x20);
        if (c == 0x03AC) return Char(0x0386);
        if (c <= 0x03AF) return Char(c - 0x25);  // έ ή ί
        if (c == 0x03CC) return Char(0x038C);
        if (c >= 0x03CD) return Char(c - 0x3F);  // ύ ώ
        return ch;
    }
    if (c >= 0x0430 && c <= 0x044F) return Char(c - 0x20);
    if (c >= 0x0450 && c <= 0x045F) return Char(c - 0x50);
    return ch;
}

wchar_t LowerChar(wchar_t ch) noexcept {
    const uint32_t c = Code(ch);
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? Char(c + 0x20) : ch;
    if (c < 0x100) return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? Char(c + 0x20) : ch;
    if (c < 0x180) {
        if (c == 0x0130) return L'i';          // İ
        if (c == 0x0178) return Char(0x00FF);  // Ÿ -> ÿ
        if (c == 0x0131 || c == 0x017F || IsUnpairedLatinA(c)) return ch;
        const bool isUpper = CapitalIsEven(c) ? (c & 1) == 0 : (c & 1) != 0;
        return isUpper ? Char(c + 1) : ch;
    }
    if (c >= 0x0386 && c <= 0x03AB) {  // Greek capital letters
        if (c >= 0x0391) return c == 0x03A2 ? ch : Char(c + 0x20);  // U+03A2 is unassigned
        if (c == 0x0386) return Char(0x03AC);
        if (c >= 0x0388 && c <= 0x038A) return Char(c + 0x25);
        if (c == 0x038C) return Char(0x03CC);
        if (c == 0x038E || c == 0x038F) return Char(c + 0x3F);
        return ch;
    }
    if (c >= 0x0410 && c <= 0x042F) return Char(c + 0x20);
    if (c >= 0x0400 && c <= 0x040F) return Char(c + 0x50);
    return ch;
}

wchar_t CaselessChar(wchar_t ch) noexcept {
    // The sets are joined once: each code points towards a smaller member of
    // its set until it reaches the smallest one, which stands for the set.
    static const auto table = [] {
        std::array<uint16_t, kCaseMappedEnd> parent{};
        for (uint32_t c = 0; c < kCaseMappedEnd; ++c) parent[c] = static_cast<uint16_t>(c);
        const auto root = [&](uint32_t c) {
            while (parent[c] != c) c = parent[c];
            return c;
        };
        const auto join = [&](uint32_t a, uint32_t b) {
            a = root(a);
            b = root(b);
            if (a != b) parent[std::max(a, b)] = static_cast<uint16_t>(std::min(a, b));
        };
        for (uint32_t c = 0; c < kCaseMappedEnd; ++c) {
            join(c, Code(UpperChar(Char(c))));
            join(c, Code(LowerChar(Char(c))));
        }
        for (uint32_t c = 0; c < kCaseMappedEnd; ++c) parent[c] = static_cast<uint16_t>(root(c));
        return parent;
    }();
    const uint32_t c = Code(ch);
    return c < kCaseMappedEnd ? Char(table[c]) : ch;
}

std::wstring UCase(std::wstring_view strText) { return MapChars(strText, [](wchar_t ch) { return UpperChar(ch); }); }

std::wstring LCase(std::wstring_view strText) { return MapChars(strText, [](wchar_t ch) { return LowerChar(ch); }); }

bool TextEquals(std::wstring_view strA, std::wstring_view strB) noexcept {
    if (strA.size() != strB.size()) return false;
    for (size_t i = 0; i < strA.size(); ++i) {
        if (strA[i] != strB[i] && UpperChar(strA[i]) != UpperChar(strB[i])) return false;
    }
    return true;
}

// A start below 1 counts as 1. An empty strFind is found at lngStart when
// lngStart is the position of a character of strText, so never in an empty
// text and never at Len + 1. Case folding maps one character to one, so
// positions in the folded copies are positions in the originals.
int32_t InStr(int32_t lngStart, std::wstring_view strText, std::wstring_view strFind, bool blnIgnoreCase) {
    if (lngStart < 1) lngStart = 1;
    const size_t from = static_cast<size_t>(lngStart) - 1;
    if (from >= strText.size()) return 0;
    if (strFind.empty()) return lngStart;
    if (strFind.size() > strText.size() - from) return 0;

    size_t pos;
    if (blnIgnoreCase) {
        const std::wstring foldedText = UCase(strText.substr(from));
        const std::wstring foldedFind = UCase(strFind);
        pos = foldedText.find(foldedFind);
        if (pos != std::wstring::npos) pos += from;
    } else {
        pos = strText.find(strFind, from);
    }
    return pos == std::wstring_view::npos ? 0 : static_cast<int32_t>(pos + 1);
}

std::wstring Trim(std::wstring_view strText) {
    const size_t first = strText.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    const size_t last = strText.find_last_not_of(L' ');
    return std::wstring(strText.substr(first, last - first + 1));
}

std::wstring LTrim(std::wstring_view strText) {
    const size_t first = strText.find_first_not_of(L' ');
    return first == std::wstring_view::npos ? std::wstring() : std::wstring(strText.substr(first));
}

std::wstring RTrim(std::wstring_view strText) {
    const size_t last = strText.find_last_not_of(L' ');
    return last == std::wstring_view::npos ? std::wstring() : std::wstring(strText.substr(0, last + 1));
}

std::wstring_view CutAtNul(std::wstring_view strText) noexcept {
    const size_t nul = strText.find(L'\0');
    return nul == std::wstring_view::npos ? strText : strText.substr(0, nul);
}

std::wstring DecStr(int64_t value) {
    wchar_t buffer[24];
    wchar_t* const end = buffer + 24;
    wchar_t* p = end;
    // Negating in unsigned arithmetic keeps INT64_MIN exact.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = L'-';
    return std::wstring(p, end);
}

}  // namespace base
