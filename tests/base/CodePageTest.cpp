#include "base/CodePage.h"

#include <gtest/gtest.h>

#include "base/TestSupport.h"

namespace {

using namespace base;

// "Příliš žluťoučký kůň" in Windows-1250.
const std::string kCzechCp1250 = "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2";
const std::wstring kCzech = L"Příliš žluťoučký kůň";

// A code point as the platform's wchar_t text (a surrogate pair on Windows).
std::wstring Wide(char32_t cp) {
    if (sizeof(wchar_t) == 2 && cp > 0xFFFF) {
        return {static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)),
                static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF))};
    }
    return std::wstring(1, static_cast<wchar_t>(cp));
}

// Every byte as the code page reads it (from an independent table), the five
// unassigned ones as U+FFFD; each writes back as the byte, those five as "?".
TEST(CodePageTest, Cp1250) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::wstring text = Cp1250ToWide(all);
    EXPECT_EQ(WideToUtf8(text), test_support::Golden("base/cp1250.txt"));
    ASSERT_EQ(text.size(), 256u);
    std::string back = all;
    for (int b = 0; b < 256; ++b) {
        if (text[b] == L'\xFFFD') back[b] = '?';
        EXPECT_EQ(Cp1250ToChar(static_cast<unsigned char>(b)), text[b]) << b;
        EXPECT_EQ(CharCodeCp1250(text[b]), static_cast<unsigned char>(back[b])) << b;
    }
    EXPECT_EQ(WideToCp1250(text), back);
    for (wchar_t ch : {L'Ω', L'ŵ', L'\x81', L'ÿ', L'Ÿ', L'‣', static_cast<wchar_t>(0x1F600)}) {
        EXPECT_EQ(CharToCp1250(ch), '?') << int(ch);
        EXPECT_EQ(CharCodeCp1250(ch), 63) << int(ch);
    }
    EXPECT_EQ(WideToCp1250(kCzech), kCzechCp1250);
}

TEST(CodePageTest, Utf8Decoding) {
    // Invalid sequences fall back to Windows-1250 byte by byte.
    const std::pair<std::string, std::wstring> cases[] = {
        {"", L""},
        {"P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88", kCzech},
        {"\xF0\x9F\x98\x80!", Wide(0x1F600) + L"!"}, {"\xF4\x8F\xBF\xBF", Wide(0x10FFFF)},
        {"\xEF\xBF\xBD", L"\xFFFD"},                 {kCzechCp1250, kCzech},
        {"\xC5\xBDlu\xC5\xA5 \x9E\xC4\x8D\xE8", L"Žluť žčč"},
        {"\xC0\xAF", L"ŔŻ"},                         {"\xE0\x80\xAF", L"ŕ€Ż"},
        {"\xED\xA0\x80", L"í\xA0€"},                  {"\xF4\x90\x80\x80", L"ô\xFFFD€€"},
        {"\xF5\x80\x80\x80", L"ő€€€"},                {"\xE2\x82" "A", L"â‚A"},
        {"\xF0\x9F\x98", L"đź\xFFFD"},               {"\xC5\xC5\xBD", L"ĹŽ"},
        {"\xC2\xA0", L"\xA0"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(Utf8ToWide(bytes), text) << testing::PrintToString(bytes);
    // Cut off by the end of the view, though the buffer goes on.
    EXPECT_EQ(Utf8ToWide(std::string_view("\xE2\x82\xAC", 2)), L"â‚");
}

TEST(CodePageTest, Utf8Encoding) {
    for (const std::wstring& text : {std::wstring(L""), kCzech, std::wstring(L"αβγ абв €„“"),
                                     Wide(0x1F600) + L"x" + Wide(0x10000) + Wide(0x10FFFF)}) {
        EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    }
    EXPECT_EQ(WideToUtf8(L"ž€"), "\xC5\xBE\xE2\x82\xAC");
    EXPECT_EQ(WideToUtf8(Wide(0x1F600)), "\xF0\x9F\x98\x80");

    // Lone or misordered surrogates cannot be written as UTF-8.
    const std::wstring hi(1, static_cast<wchar_t>(0xD800));
    const std::wstring lo(1, static_cast<wchar_t>(0xDFFF));
    EXPECT_EQ(WideToUtf8(hi + L"A"), "\xEF\xBF\xBD" "A");
    EXPECT_EQ(WideToUtf8(L"A" + lo), "A\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(lo + hi), "\xEF\xBF\xBD\xEF\xBF\xBD");
    if (sizeof(wchar_t) == 4) {
        EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
        EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(-1))), "\xEF\xBF\xBD");
    }
}

}  // namespace
