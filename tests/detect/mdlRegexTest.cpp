#include "detect/mdlRegex.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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

}  // namespace
