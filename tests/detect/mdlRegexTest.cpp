#include "detect/mdlRegex.h"

#include <gtest/gtest.h>

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

}  // namespace
