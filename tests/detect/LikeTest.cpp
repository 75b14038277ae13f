#include <gtest/gtest.h>

#include <string>

#include "base/Like.h"
#include "base/VbError.h"

namespace {

TEST(Like, PatternRules) {
    struct Case {
        const wchar_t* text;
        const wchar_t* pattern;
        bool expected;
    };
    const Case cases[] = {
        {L"", L"*", true},          {L"a", L"", false},           {L"abc", L"a?c", true},
        {L"ac", L"a?c", false},     {L"a\r\nb", L"a*b", true},    {L"a7", L"a#", true},
        {L"ab", L"a#", false},      {L"a#", L"a[#]", true},       {L"ab", L"a[*]", false},
        {L"a[", L"a[[]", true},     {L"d", L"[a-c]", false},      {L"d", L"[!a-c]", true},
        {L"-", L"[-a]", true},      {L"-", L"[a-]", true},        {L"-", L"[!-a]", false},
        {L"x", L"[ax-z]", true},    {L"ab", L"a[]b", true},       {L"abcabd", L"*abd", true},
        {L"aaa", L"a*a*a*a", false}, {L"mississippi", L"m*iss*ppi", true}, {L"A", L"a", false},
        {L"č", L"[a-ž]", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::Like(c.text, c.pattern), c.expected)
            << testing::PrintToString(std::wstring(c.text)) << " LIKE " << testing::PrintToString(std::wstring(c.pattern));
    }
    EXPECT_TRUE(base::LikeText(L"ŽLUŤOUČKÝ KŮŇ", L"žluťoučký*ň"));
    EXPECT_FALSE(base::LikeText(L"Čeština", L"C*"));
}

TEST(Like, InvalidPatternsRaise93) {
    for (const wchar_t* pattern : {L"[", L"a[bc", L"*[!", L"[z-a]"}) {
        try {
            base::Like(L"abc", pattern);
            ADD_FAILURE() << testing::PrintToString(std::wstring(pattern));
        } catch (const base::VbError& e) {
            EXPECT_EQ(e.Number(), base::vbErrInvalidPattern);
        }
    }
}

TEST(Like, StarsDoNotBacktrackExponentially) {
    // Backtracking into every star would take on the order of 10^40 steps here.
    const std::wstring text(100000, L'a');
    const wchar_t* pattern = L"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b";
    EXPECT_FALSE(base::Like(text, pattern));
    EXPECT_TRUE(base::Like(text + L"b", pattern));
}

}  // namespace
