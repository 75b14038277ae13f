#include "detect/mdlRegex.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"

namespace {

std::wstring Repeat(const std::wstring& text, int count) {
    std::wstring result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

// The error text of a runaway that the engine stops by its own per-search limit.
std::string EngineRunawayText() {
    std::vector<mdlRegex::Match> matches;
    try {
        mdlRegex::Execute(L"(a*)*b", std::wstring(30000, L'a'), matches, UINT64_MAX);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    ADD_FAILURE() << "the engine did not stop the runaway";
    return {};
}

// Patterns that backtrack a lot on every line but match often: each search
// alone stays under the engine's own limit, so only the budget shared by all
// searches stops them, with the engine's complexity error.
TEST(RegExpTest, RunawayOverManyMatchesEndsWithTheEngineError) {
    std::wstring paths;
    for (int i = 0; i < 2000; ++i) {
        paths += L"C:\\Program Files\\Vendor" + std::to_wstring(i) + L"\\bin\\tool" + std::to_wstring(i) + L".dll\r\n";
    }
    const struct {
        const wchar_t* pattern;
        std::wstring text;
        size_t possible;  // matches in the text
    } cases[] = {
        {L"a*a*a*c|b", Repeat(std::wstring(60, L'a') + L"b\r\n", 600) + std::wstring(100000, L'x'), 600},
        {L"a*a*a*c|b", Repeat(std::wstring(60, L'a') + L"b\r\n", 10000) + std::wstring(100000, L'x'), 10000},
        {L".*.*.*Z|$", paths, 2000},
    };
    const std::string runaway = EngineRunawayText();
    for (const auto& c : cases) {
        std::vector<mdlRegex::Match> matches;
        try {
            mdlRegex::Execute(c.pattern, c.text, matches);
            ADD_FAILURE() << "no error for " << c.pattern;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), runaway);
        }
        EXPECT_GT(matches.size(), 0u) << "the matches before the stop are kept";
        EXPECT_LT(matches.size(), c.possible / 10) << c.pattern;
    }
}

TEST(RegExpTest, BudgetIsSharedByAllSearchesOfOneEvaluation) {
    const std::wstring text = Repeat(L"b\r\n", 1000);
    std::vector<mdlRegex::Match> matches;
    EXPECT_THROW(mdlRegex::Execute(L"b", text, matches, 1000), std::runtime_error);
    EXPECT_LT(matches.size(), 1000u);
    matches.clear();
    mdlRegex::Execute(L"b", text, matches);
    ASSERT_EQ(matches.size(), 1000u);
    EXPECT_EQ(matches.back().offset, text.size() - 3);
}

// Ordinary patterns over long lists keep every match within the default budget.
TEST(RegExpTest, OrdinaryPatternsOverLongListsFindEveryMatch) {
    std::wstring processes;
    std::wstring paths;
    const int lines = 20000;
    for (int i = 0; i < lines; ++i) {
        processes += L"service_" + std::to_wstring(i) + L".exe\r\n";
        paths += L".\\Vendor" + std::to_wstring(i % 50) + L"\\Product Name\\sub folder\\file_" + std::to_wstring(i) +
                 L".dll\r\n";
    }
    const struct {
        const wchar_t* pattern;
        const std::wstring& text;
    } cases[] = {
        {L"^service_\\d+\\.exe$", processes}, {L"\\w+\\.EXE", processes},          {L"[a-z]+_\\d+\\.exe\\r?$", processes},
        {L"[^\\\\]+\\.dll$", paths},          {L"\\\\(.*)\\\\(.*)\\.dll", paths}, {L"^.*sub folder.*$", paths},
    };
    for (const auto& c : cases) {
        std::vector<mdlRegex::Match> matches;
        EXPECT_NO_THROW(mdlRegex::Execute(c.pattern, c.text, matches)) << c.pattern;
        EXPECT_EQ(matches.size(), static_cast<size_t>(lines)) << c.pattern;
    }
}

TEST(RegExpTest, RequiredRunsOfAPattern) {
    const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
        {L"^/Vendor1 Software/n[aá]stroj 1[0-9]\\.desktop\\r?$", {L"/Vendor1 Software/n", L"stroj 1", L".desktop"}},
        {L"ab*c+?d?e{2}f{1,}?g", {L"a", L"c", L"g"}},
        {L"x|y", {}},
        {L"(x|y)z[|]w", {L"z", L"w"}},
        {L"[]a|]b[^]c]d[[:alpha:]]e[\\]x]f", {L"b", L"d", L"e", L"f"}},
        {L"\\.\\(\\č\\ \\}", {L".(č }"}},
        {L"a\\d\\x41b\\u010Dc\\pLd\\x{41}e\\k<n>f\\12g\\cJh", {L"a", L"e", L"f", L"g", L"h"}},
        {L"a\\<b\\>c\\`d\\'e", {L"a", L"b", L"c", L"d", L"e"}},
        {L"(?:a)b(?=c)d(?<n>e)f(?<!g)h", {L"b", L"d", L"f", L"h"}},
        {L"a{x}b", {L"b"}},
        {L"x.y^z$á}]", {L"x", L"y", L"z", L"á}]"}},
        {L"a{2,b", {}},
        {L"(?i)ab", {}},
        {L"a(?x: b)c", {}},
        {L"(*ACCEPT)ab", {}},
        {L"\\Qa\\E", {}},
        {L"a(b", {}},
        {L"a)b", {}},
        {L"a[b", {}},
        {L"a\\", {}},
    };
    for (const auto& [pattern, runs] : cases) EXPECT_EQ(mdlRegex::RequiredRuns(pattern), runs) << pattern;
}

// Whenever the engine finds a match, the list holds every required run
// (letter case ignored as the engine ignores it). Patterns are random pieces
// with quantifiers; texts hold samples of the pieces, so they often match.
TEST(RegExpTest, RequiredRunsAreInEveryMatchedText) {
    const std::pair<const wchar_t*, const wchar_t*> pieces[] = {
        {L"a", L"A"},       {L"č", L"Č"},     {L"Ř", L"ř"},         {L"\\.", L"."},     {L"\\Č", L"č"},
        {L"\\-", L"-"},     {L"[aá]", L"Á"},  {L"[^b]", L"x"},      {L"[]a]", L"]"},    {L"[[:alpha:]]", L"ž"},
        {L"(ač|b)", L"b"},  {L"(?:č)", L"Č"}, {L"(?=a)", L""},      {L"\\d", L"7"},     {L"\\w", L"w"},
        {L"\\b", L""},      {L"\\x41", L"a"}, {L"\\u010D", L"č"},   {L"\\x{10D}", L"Č"}, {L"\\<", L""},
        {L".", L"-"},       {L"^", L""},      {L"$", L"\r\n"},      {L"}", L"}"},       {L"]", L"]"},
        {L"|", L""},        {L"\\x41b", L"ab"}, {L"\\pL", L"q"},    {L"{x}", L"{x}"},   {L"\\'", L""},
    };
    const wchar_t* const quantifiers[] = {L"", L"", L"", L"*", L"+", L"?", L"{0,2}", L"{2}", L"*?", L"++"};
    std::mt19937 rng(15);
    int matched = 0;
    for (int round = 0; round < 3000; ++round) {
        std::wstring pattern;
        std::wstring text = round % 2 ? L"" : L"xaČ\r\n";
        for (int n = 0, count = static_cast<int>(rng() % 6) + 1; n < count; ++n) {
            const auto& [piece, sample] = pieces[rng() % std::size(pieces)];
            const std::wstring quantifier = quantifiers[rng() % std::size(quantifiers)];
            pattern += piece + quantifier;
            if (rng() % 5 != 0) text += quantifier == L"{2}" ? std::wstring(sample) + sample : sample;
        }
        std::vector<mdlRegex::Match> matches;
        try {
            mdlRegex::Execute(pattern, text, matches);
        } catch (const std::exception&) {
            continue;  // a pattern the engine rejects
        }
        if (matches.empty()) continue;
        ++matched;
        for (const std::wstring& run : mdlRegex::RequiredRuns(pattern)) {
            EXPECT_NE(base::LCase(text).find(base::LCase(run)), std::wstring::npos) << pattern << " run " << run;
        }
    }
    EXPECT_GT(matched, 1000);  // the rounds cover matches
}

// A pattern every match of which starts with its first run is searched from
// the run's occurrences; wrapped in a group it gets the engine's own search.
// Both must find the same matches.
TEST(RegExpTest, SearchFromTheLeadingRunFindsWhatTheEngineFinds) {
    const std::pair<const wchar_t*, bool> leading[] = {
        {L"^ab", true},    {L"\\b\\Bab", true}, {L"a+b", true},  {L"a?b", false},   {L".ab", false},
        {L"(?:a)b", false}, {L"\\dab", false},  {L"^ab\\G", false}, {L"$ab", false}, {L"a|b", false},
    };
    for (const auto& [pattern, expected] : leading) {
        bool blnLeading = !expected;
        mdlRegex::RequiredRuns(pattern, &blnLeading);
        EXPECT_EQ(blnLeading, expected) << pattern;
    }
    const wchar_t* const starts[] = {L"", L"^", L"\\b", L"^\\B"};
    const wchar_t* const pieces[] = {L"a",     L"Č",      L"[aá]",  L"(a|čx)", L"a*",     L"č+?", L"(?<=a)",
                                     L"(?<!č)", L"$",      L"\\b",   L".",      L"\\r?",   L"(a)\\1", L"a{2}",
                                     L"i",     L"[^\\n]*", L"(?=a)", L"\\n^",   L"[[:alpha:]]+", L"(?<=x...)"};
    const std::wstring letters = L"aAáÁčČiIİı x\r\n";
    std::mt19937 rng(21);
    size_t lngMatches = 0;
    for (int round = 0; round < 3000; ++round) {
        std::wstring run;
        for (size_t n = rng() % 3 + 1; n > 0; --n) run += letters[rng() % 10];
        std::wstring pattern = starts[rng() % std::size(starts)] + run;
        for (size_t n = rng() % 4; n > 0; --n) pattern += pieces[rng() % std::size(pieces)];
        std::wstring text;
        for (size_t n = rng() % (round % 10 ? 40 : 1500); n > 0; --n) {  // long: the run is common
            text += rng() % 3 ? std::wstring(1, letters[rng() % letters.size()]) : base::UCase(run);
        }
        bool blnLeading = false;
        mdlRegex::RequiredRuns(pattern, &blnLeading);
        ASSERT_TRUE(blnLeading) << pattern;
        std::vector<mdlRegex::Match> expected;
        std::vector<mdlRegex::Match> actual;
        mdlRegex::Execute(L"(?:" + pattern + L")", text, expected);
        mdlRegex::Execute(pattern, text, actual);
        ASSERT_EQ(actual.size(), expected.size()) << pattern;
        for (size_t i = 0; i < actual.size(); ++i) {
            EXPECT_EQ(actual[i].offset, expected[i].offset) << pattern;
            EXPECT_EQ(actual[i].length, expected[i].length) << pattern;
        }
        lngMatches += actual.size();
    }
    EXPECT_GT(lngMatches, 1500U);  // the texts hold many matches
}

}  // namespace
