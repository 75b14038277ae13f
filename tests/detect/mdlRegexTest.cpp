#include "detect/mdlRegex.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"
#include "detect/mdlRules.h"

namespace {

// One budget is shared by all searches of an evaluation, so a pattern that matches often still stops (runaways
// through the scan: ScanTest), yet ordinary patterns over long lists keep every match within the default one.
TEST(RegExpTest, BudgetIsSharedByAllSearchesOfOneEvaluation) {
    std::wstring text;
    std::wstring paths;
    const int lines = 20000;
    for (int i = 0; i < lines; ++i) {
        text += i < 1000 ? L"b\r\n" : L"";
        paths += L".\\Vendor" + std::to_wstring(i % 50) + L"\\Product Name\\sub folder\\file_" + std::to_wstring(i) +
                 L".dll\r\n";
    }
    std::vector<mdlRegex::Match> matches;
    EXPECT_THROW(mdlRegex::Execute(L"b", text, matches, 1000), std::runtime_error);
    EXPECT_LT(matches.size(), 1000u);
    EXPECT_THROW(mdlRegex::Execute(L"b", L"b", matches, 0), std::runtime_error) << "no budget: not one character";
    matches.clear();
    mdlRegex::Execute(L"b", text, matches);
    ASSERT_EQ(matches.size(), 1000u);
    EXPECT_EQ(matches.back().offset, text.size() - 3);
    for (const wchar_t* pattern : {L"[^\\\\]+\\.dll$", L"\\\\(.*)\\\\(.*)\\.dll", L"^.*sub folder.*$"}) {
        matches.clear();
        EXPECT_NO_THROW(mdlRegex::Execute(pattern, paths, matches)) << pattern;
        EXPECT_EQ(matches.size(), static_cast<size_t>(lines)) << pattern;
    }
}

TEST(RegExpTest, UnicodeEscapesTakeHexDigitsOfEitherCase) {
    std::vector<mdlRegex::Match> matches;
    mdlRegex::Execute(L"\\u00a9\\u00C9", L"x\u00A9\u00C9", matches);
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].offset, 1u);
}

// The knowledge-base checks reject what the scan would: a regular expression problem names its column in the
// pattern as written (0: compiles; past the last character: the engine gave up at the end). LIKE folds upper-case
// letters to lower case before a range is read; a line end starts a range.
TEST(RulesPatternTest, ChecksRejectWhatTheScanRejects) {
    const std::pair<std::wstring_view, size_t> regexps[] = {
        {L"^n[a-z]*", 0},         {L"\\u0041+", 0}, {L"ab(c", 5},
        {L"\\u0041\\u0042(", 14}, {L"a{2,1}", 5},   {L"\\u0041{2,1}", 10},
    };
    for (const auto& [pattern, column] : regexps) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(pattern)));
        const auto problem = mdlRules::RegexProblem(pattern);
        EXPECT_EQ(problem.has_value(), column != 0);
        EXPECT_EQ(problem ? problem->Column : 0, column);
        EXPECT_TRUE(!problem || !problem->Message.empty());
    }
    const std::pair<std::wstring_view, bool> likes[] = {
        {L"*[a-z]#?", true}, {L"abc[de", false}, {L"[z-a]", false}, {L"[Z-a]", false}, {L"[%crlf%-$]", true},
    };
    for (const auto& [pattern, valid] : likes) {
        EXPECT_EQ(mdlRules::IsValidLikePattern(pattern), valid) << ::testing::PrintToString(std::wstring(pattern));
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
