#include "detect/mdlRegex.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
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

// The runs every match must contain, and whether every match starts with the
// first of them.
TEST(RegExpTest, RequiredRunsOfAPattern) {
    const std::tuple<const wchar_t*, std::vector<std::wstring>, bool> cases[] = {
        {L"^/Vendor1 Software/n[aá]stroj 1[0-9]\\.desktop\\r?$", {L"/Vendor1 Software/n", L"stroj 1", L".desktop"}, true},
        {L"ab*c+?d?e{2}f{1,}?g", {L"a", L"c", L"g"}, true},
        {L"x|y", {}, false},
        {L"(x|y)z[|]w", {L"z", L"w"}, false},
        {L"[]a|]b[^]c]d[[:alpha:]]e[\\]x]f", {L"b", L"d", L"e", L"f"}, false},
        {L"\\.\\(\\č\\ \\}", {L".(č }"}, true},
        {L"a\\d\\x41b\\u010Dc\\pLd\\x{41}e\\k<n>f\\12g\\cJh", {L"a", L"e", L"f", L"g", L"h"}, true},
        {L"a\\<b\\>c\\`d\\'e", {L"a", L"b", L"c", L"d", L"e"}, true},
        {L"(?:a)b(?=c)d(?<n>e)f(?<!g)h", {L"b", L"d", L"f", L"h"}, false},
        {L"\\b\\Bab", {L"ab"}, true},
        {L"a?b", {L"b"}, false},
        {L"^ab\\G", {L"ab"}, false},
        {L"$ab", {L"ab"}, false},
        {L"a{x}b", {L"b"}, false},
        {L"x.y^z$á}]", {L"x", L"y", L"z", L"á}]"}, true},
        {L"a{2,b", {}, false},
        {L"(?i)ab", {}, false},
        {L"a(?x: b)c", {}, false},
        {L"(*ACCEPT)ab", {}, false},
        {L"\\Qa\\E", {}, false},
        {L"a(b", {}, false},
        {L"a)b", {}, false},
        {L"a[b", {}, false},
        {L"a\\", {}, false},
    };
    for (const auto& [pattern, runs, leading] : cases) {
        bool blnLeading = !leading;
        EXPECT_EQ(mdlRegex::RequiredRuns(pattern, &blnLeading), runs) << pattern;
        EXPECT_EQ(blnLeading, leading) << pattern;
    }
}

// Random patterns over texts that hold samples of their pieces (letter case,
// Czech letters, i/İ/ı, many overlapping occurrences): whenever the engine
// matches, the text holds every required run; and a pattern that starts with
// its run, searched from the run's occurrences, finds what the engine finds
// on its own (wrapped in a group), also when the places are given.
TEST(RegExpTest, RequiredRunsAndTheSearchFromTheLeadingRun) {
    const std::pair<const wchar_t*, const wchar_t*> pieces[] = {
        {L"a", L"A"},        {L"č", L"Č"},       {L"\\.", L"."},      {L"\\Č", L"č"},     {L"[aá]", L"Á"},
        {L"[^b]", L"x"},     {L"[]a]", L"]"},    {L"[[:alpha:]]+", L"ž"}, {L"(ač|b)", L"b"}, {L"(?:č)", L"Č"},
        {L"(?=a)", L""},     {L"\\d", L"7"},     {L"\\b", L""},       {L"\\x41", L"a"},   {L"\\u010D", L"č"},
        {L"\\x{10D}", L"Č"}, {L"\\<", L""},      {L".", L"-"},        {L"^", L""},        {L"$", L"\r\n"},
        {L"}", L"}"},        {L"|", L""},        {L"\\pL", L"q"},     {L"{x}", L"{x}"},   {L"\\'", L""},
        {L"(?<=a)", L""},    {L"(?<!č)", L""},   {L"(a)\\1", L"aa"},   {L"\\n^", L"\n"},  {L"(?<=x...)", L""},
        {L"i", L"İ"},        {L"[^\\n]*", L"ı"},
    };
    const wchar_t* const quantifiers[] = {L"", L"", L"", L"*", L"+", L"?", L"{0,2}", L"{2}", L"*?", L"++"};
    const wchar_t* const starts[] = {L"", L"^", L"\\b", L"^\\B"};
    const std::wstring letters = L"aAáÁčČiIİı x\r\n";
    std::mt19937 rng(15);
    size_t matched = 0;
    for (int round = 0; round < 6000; ++round) {
        std::wstring pattern;
        std::wstring text = round % 3 ? L"" : L"xaČ\r\n";
        std::wstring run;
        const bool leading = round % 2 == 0;
        if (leading) {
            for (size_t n = rng() % 3 + 1; n > 0; --n) run += letters[rng() % 10];
            pattern = starts[rng() % std::size(starts)] + run;
        }
        for (size_t n = rng() % 5 + (leading ? 0 : 1); n > 0; --n) {
            const auto& [piece, sample] = pieces[rng() % std::size(pieces)];
            if (leading && (*piece == L'|' || *piece == L'{')) continue;  // not a pattern led by its run
            const std::wstring quantifier = quantifiers[rng() % std::size(quantifiers)];
            pattern += piece + quantifier;
            if (rng() % 5 != 0) text += quantifier == L"{2}" ? std::wstring(sample) + sample : sample;
        }
        for (size_t n = leading ? rng() % (round % 10 ? 40 : 1500) : 0; n > 0; --n) {  // long: the run is common
            text += rng() % 3 ? std::wstring(1, letters[rng() % letters.size()]) : base::UCase(run);
        }
        bool blnLeading = false;
        const std::vector<std::wstring> runs = mdlRegex::RequiredRuns(pattern, &blnLeading);
        ASSERT_TRUE(blnLeading || !leading) << pattern;
        std::vector<mdlRegex::Match> expected;
        std::vector<mdlRegex::Match> actual;
        // The run's places given: all of them, or the first half only.
        std::vector<size_t> places;
        const std::wstring lower = base::LCase(text);
        const std::wstring first = leading ? base::LCase(runs.front()) : L"";
        for (size_t at = lower.find(first); leading && at != std::wstring::npos; at = lower.find(first, at + 1)) {
            places.push_back(at);
        }
        std::vector<mdlRegex::Match> fromAll;
        std::vector<mdlRegex::Match> fromHalf;
        try {
            mdlRegex::Execute(L"(?:" + pattern + L")", text, expected);
            mdlRegex::Execute(pattern, text, actual);
            const uint64_t budget = mdlRegex::DefaultBudget(text.size());
            mdlRegex::Execute(pattern, text, fromAll, budget, {&places, true});
            places.resize(places.size() / 2);
            mdlRegex::Execute(pattern, text, fromHalf, budget, {&places, false});
        } catch (const std::exception&) {
            continue;  // a pattern the engine rejects
        }
        const auto spans = [](const std::vector<mdlRegex::Match>& matches) {
            std::vector<std::pair<size_t, size_t>> result;
            for (const auto& [offset, length] : matches) result.emplace_back(offset, length);
            return result;
        };
        ASSERT_EQ(spans(actual), spans(expected)) << pattern;
        if (leading) {
            ASSERT_EQ(spans(fromAll), spans(expected)) << pattern;
            ASSERT_EQ(spans(fromHalf), spans(expected)) << pattern;
        }
        matched += actual.empty() ? 0 : 1;
        for (const std::wstring& r : actual.empty() ? std::vector<std::wstring>{} : runs) {
            EXPECT_NE(base::LCase(text).find(base::LCase(r)), std::wstring::npos) << pattern << " run " << r;
        }
    }
    EXPECT_GT(matched, 1500u);  // the rounds cover matches
}

}  // namespace
