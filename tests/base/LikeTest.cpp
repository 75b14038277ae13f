#include "base/Like.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "base/Text.h"
#include "base/TestSupport.h"

namespace {

// The pattern as an ECMAScript expression: a matcher independent of the one under test.
bool Reference(const std::wstring& text, std::wstring_view pattern) {
    std::wstring expression;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'[') {
            const size_t end = pattern.find(L']', i);
            std::wstring body(pattern.substr(i + 1, end - i - 1));
            if (!body.empty() && body[0] == L'!') body[0] = L'^';
            if (!body.empty()) expression += L"[" + body + L"]";  // an empty group takes no character
            i = end;
        } else if (pattern[i] == L'*' || pattern[i] == L'?') {
            expression += pattern[i] == L'*' ? L"[\\s\\S]*" : L"[\\s\\S]";
        } else {
            expression += pattern[i] == L'#' ? std::wstring(L"[0-9]") : std::wstring(1, pattern[i]);
        }
    }
    return std::regex_match(text, std::wregex(expression));
}

TEST(LikeTest, PatternRules) {
    const std::tuple<const wchar_t*, const wchar_t*, bool> cases[] = {
        {L"", L"*", true},           {L"a", L"", false},        {L"ab", L"a[*]", false},
        {L"a[", L"a[[]", true},      {L"-", L"[-a]", true},     {L"-", L"[a-]", true},
        {L"-", L"[!-a]", false},     {L"x", L"[ax-z]", true},   {L"abcabd", L"*abd", true},
        {L"aaa", L"a*a*a*a", false}, {L"A", L"a", false},       {L"č", L"[a-ž]", true},
        {L"!", L"[!a]", true},
    };
    for (const auto& [text, pattern, expected] : cases) {
        EXPECT_EQ(base::Like(text, pattern), expected) << testing::PrintToString(std::wstring(text) + L" LIKE " + pattern);
    }
    EXPECT_TRUE(base::LikeText(L"ŽLUŤOUČKÝ KŮŇ", L"žluťoučký*ň"));
    EXPECT_FALSE(base::LikeText(L"Čeština", L"C*"));
    for (const wchar_t* pattern : {L"[", L"a[bc", L"*[!", L"[z-a]"}) {
        EXPECT_EQ(test_support::ErrorNumber([&] { base::Like(L"abc", pattern); }), base::vbErrInvalidPattern)
            << testing::PrintToString(std::wstring(pattern));
    }
    // Backtracking into every star would take on the order of 10^40 steps here.
    const std::wstring text(100000, L'a');
    EXPECT_FALSE(base::Like(text, L"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
    EXPECT_TRUE(base::Like(text + L"b", L"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b"));
}

// Random patterns and texts over a few letters (Czech ones in both cases), digits and line ends: the pre-filtered,
// lower-casing matcher agrees with the reference, and every required run is in any text that matches.
TEST(LikeTest, AgreesWithAPlainMatcher) {
    const std::vector<std::wstring> pieces = {L"a", L"B", L"č", L"Č", L"1", L"*", L"*", L"?", L"#", L"[ab]", L"[!a]",
                                              L"[a-c]", L"[#]", L"[]", L"[-č]", L"ab", L"Ča"};
    const std::wstring letters = L"aAbBčČ1\r\n";
    std::mt19937 rng(93);
    int matches = 0;
    for (int round = 0; round < 4000; ++round) {
        std::wstring pattern;
        for (size_t n = rng() % 7; n > 0; --n) pattern += pieces[rng() % pieces.size()];
        std::wstring text;
        for (size_t n = rng() % 12; n > 0; --n) text += letters[rng() % letters.size()];
        const std::wstring lowText = base::LCase(text);
        const std::wstring lowPattern = base::LCase(pattern);
        const bool expected = Reference(lowText, lowPattern);
        matches += expected ? 1 : 0;
        SCOPED_TRACE(testing::Message() << "round " << round);
        EXPECT_EQ(base::Like(lowText, lowPattern), expected);

        const std::vector<std::wstring> runs = base::LikeLiteralRuns(lowPattern);
        for (const std::wstring& run : runs) EXPECT_TRUE(!expected || lowText.find(run) != std::wstring::npos);
        const size_t skip = runs.empty() ? 0 : lowText.find(runs[0]);
        EXPECT_EQ(base::LikeLowered(text, lowPattern, skip == std::wstring::npos ? 0 : skip), expected);
        EXPECT_EQ(base::LikeLowered(text, lowPattern), expected);
    }
    EXPECT_GT(matches, 200);  // the rounds cover matches as well as misses
}

TEST(LikeTest, LiteralRunsOfAPattern) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
        {L"*abc*", {L"abc"}},
        {L"a?b#c[x]d*e", {L"a", L"b", L"c", L"d", L"e"}},
        {L"a[]b", {L"ab"}},  // an empty group takes no character
        {L"*?#[!a]*", {}},
        {L"x]y-z!", {L"x]y-z!"}},
    };
    for (const auto& [pattern, runs] : cases) EXPECT_EQ(base::LikeLiteralRuns(pattern), runs) << pattern;
    EXPECT_THROW(base::LikeLiteralRuns(L"ab[c"), base::VbError);
}

}  // namespace
