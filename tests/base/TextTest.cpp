#include "base/Text.h"

#include <gtest/gtest.h>

namespace {

using namespace base;

constexpr const wchar_t* kCzechLower = L"aábcčdďeéěfghchiíjklmnňoópqrřsštťuúůvwxyýzž";
constexpr const wchar_t* kCzechUpper = L"AÁBCČDĎEÉĚFGHCHIÍJKLMNŇOÓPQRŘSŠTŤUÚŮVWXYÝZŽ";

TEST(TextTest, CaseMapsAlphabetsAndIrregularLetters) {
    const std::pair<const wchar_t*, const wchar_t*> pairs[] = {
        {kCzechLower, kCzechUpper},
        {L"äöüĺľŕôőűłąęśźżćńşţăđàçîæøåþ", L"ÄÖÜĹĽŔÔŐŰŁĄĘŚŹŻĆŃŞŢĂĐÀÇÎÆØÅÞ"},
        {L"αβγωάέήίόύώϊϋ", L"ΑΒΓΩΆΈΉΊΌΎΏΪΫ"},
        {L"абвяѐёђѓєѕіїјљњћќѝўџ", L"АБВЯЀЁЂЃЄЅІЇЈЉЊЋЌЍЎЏ"},
    };
    for (const auto& [lower, upper] : pairs) {
        EXPECT_EQ(UCase(lower), upper);
        EXPECT_EQ(LCase(upper), lower);
    }
    // Letters: itself, its upper case, its lower case.
    const std::tuple<wchar_t, wchar_t, wchar_t> cases[] = {
        {L'ß', L'ß', L'ß'}, {L'ÿ', L'Ÿ', L'ÿ'}, {L'Ÿ', L'Ÿ', L'ÿ'}, {L'ı', L'I', L'ı'}, {L'I', L'I', L'i'},
        {L'ſ', L'S', L'ſ'}, {L'ς', L'Σ', L'ς'}, {L'ĸ', L'ĸ', L'ĸ'}, {L'ŉ', L'ŉ', L'ŉ'}, {L'×', L'×', L'×'},
        {L'÷', L'÷', L'÷'}, {L'ΐ', L'ΐ', L'ΐ'}, {L'€', L'€', L'€'}, {wchar_t(0x3A2), wchar_t(0x3A2), wchar_t(0x3A2)},
    };
    for (const auto& [ch, upper, lower] : cases) {
        EXPECT_EQ(UpperChar(ch), upper) << int(ch);
        EXPECT_EQ(LowerChar(ch), lower) << int(ch);
    }
}

// Every mapped letter maps back and mapping twice changes nothing more. The caseless fold must join whatever
// either mapping joins, and codes from kCaseMappedEnd on must map to themselves, or a search over it misses matches.
TEST(TextTest, CaseMappingsAreConsistentAndTheFoldCoversThem) {
    for (uint32_t c = 0; c < 0x10000; ++c) {
        const wchar_t ch = static_cast<wchar_t>(c);
        const wchar_t up = UpperChar(ch);
        const wchar_t low = LowerChar(ch);
        EXPECT_EQ(UpperChar(up), up) << c;
        EXPECT_EQ(LowerChar(low), low) << c;
        if (low != ch && ch != L'İ') {
            EXPECT_EQ(UpperChar(low), ch) << c;
        }
        if (up != ch && ch != L'ı' && ch != L'ſ' && ch != L'ς') {
            EXPECT_EQ(LowerChar(up), ch) << c;
        }
        EXPECT_EQ(CaselessChar(up), CaselessChar(ch)) << c;
        EXPECT_EQ(CaselessChar(low), CaselessChar(ch)) << c;
        if (c >= kCaseMappedEnd) {
            EXPECT_EQ(up, ch) << c;
            EXPECT_EQ(low, ch) << c;
        }
    }
    EXPECT_EQ(CaselessChar(L'İ'), CaselessChar(L'ı'));
}

TEST(TextTest, TextEqualsAndInStr) {
    EXPECT_TRUE(TextEquals(L"Příliš ŽLUŤOUČKÝ kůň", L"PŘÍLIŠ žluťoučký KŮŇ"));
    EXPECT_TRUE(TextEquals(L"", L""));
    EXPECT_FALSE(TextEquals(L"č", L"c"));
    EXPECT_FALSE(TextEquals(L"abc", L"abcd"));
    // Start, text, what to find, whether case is ignored, position.
    const std::tuple<int32_t, const wchar_t*, const wchar_t*, bool, int32_t> cases[] = {
        {3, L"abcabc", L"bc", false, 5}, {6, L"abcabc", L"bc", false, 0}, {-5, L"abcabc", L"a", false, 1},
        {1, L"abcabc", L"BC", false, 0}, {3, L"ABCabc", L"bC", true, 5},  {1, L"ab", L"abc", false, 0},
        {3, L"abc", L"c", false, 3},     {4, L"abc", L"c", true, 0},      {3, L"abc", L"", true, 3},
        {4, L"abc", L"", false, 0},      {0, L"abc", L"", false, 1},      {1, L"", L"", false, 0},
        {1, L"čČčČ", L"Čč", false, 2},   {2, L"čČčČ", L"čč", true, 2},    {1, L"Žluťoučký kůň", L"KŮŇ", true, 11},
    };
    for (const auto& [start, text, find, ignoreCase, position] : cases) {
        EXPECT_EQ(InStr(start, text, find, ignoreCase), position)
            << start << testing::PrintToString(std::wstring(text) + L" / " + find) << ignoreCase;
    }
}

TEST(TextTest, TrimCutAtNulAndDecStr) {
    EXPECT_EQ(Trim(L"  a b  "), L"a b");
    EXPECT_EQ(LTrim(L"  a b  "), L"a b  ");
    EXPECT_EQ(RTrim(L"  a b  "), L"  a b");
    EXPECT_EQ(Trim(L"\t a \n"), L"\t a \n") << "spaces only";
    EXPECT_EQ(LTrim(L"   "), L"");
    EXPECT_EQ(RTrim(L"   "), L"");
    EXPECT_EQ(CutAtNul(std::wstring_view(L"ab\0cd", 5)), L"ab");
    EXPECT_EQ(CutAtNul(L"abc"), L"abc");
    EXPECT_EQ(DecStr(std::numeric_limits<int64_t>::max()), L"9223372036854775807");
    EXPECT_EQ(DecStr(std::numeric_limits<int64_t>::min()), L"-9223372036854775808");
}

}  // namespace
