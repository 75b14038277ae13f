#include "base/Like.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/VbError.h"

namespace {

// A plain dynamic-programming matcher, independent of the one under test.
struct RefToken {
    enum Kind { Literal, Any, Digit, Set, Star } kind;
    std::wstring set;  // Set: the group's body as written
};

bool InGroup(const std::wstring& body, wchar_t ch) {
    std::wstring_view b = body;
    const bool negated = !b.empty() && b.front() == L'!';
    if (negated) b.remove_prefix(1);
    bool in = false;
    for (size_t k = 0; k < b.size(); ++k) {
        if (k + 2 < b.size() && b[k + 1] == L'-' && !(k == 0 && b[0] == L'-')) {
            in = in || (ch >= b[k] && ch <= b[k + 2]);
            k += 2;
        } else {
            in = in || ch == b[k];
        }
    }
    return in != negated;
}

bool Reference(const std::wstring& text, const std::wstring& pattern) {
    std::vector<RefToken> tokens;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t ch = pattern[i];
        if (ch == L'[') {
            const size_t close = pattern.find(L']', i);
            if (close > i + 1) tokens.push_back({RefToken::Set, pattern.substr(i + 1, close - i - 1)});
            i = close;
        } else if (ch == L'*') {
            tokens.push_back({RefToken::Star, {}});
        } else if (ch == L'?') {
            tokens.push_back({RefToken::Any, {}});
        } else if (ch == L'#') {
            tokens.push_back({RefToken::Digit, {}});
        } else {
            tokens.push_back({RefToken::Literal, std::wstring(1, ch)});
        }
    }
    // can[j][i]: tokens from j on match the text from i on.
    std::vector<std::vector<char>> can(tokens.size() + 1, std::vector<char>(text.size() + 1, 0));
    can[tokens.size()][text.size()] = 1;
    for (size_t j = tokens.size(); j-- > 0;) {
        for (size_t i = text.size() + 1; i-- > 0;) {
            const RefToken& tok = tokens[j];
            if (tok.kind == RefToken::Star) {
                can[j][i] = can[j + 1][i] || (i < text.size() && can[j][i + 1]);
                continue;
            }
            if (i == text.size()) continue;
            const wchar_t ch = text[i];
            const bool one = tok.kind == RefToken::Any || (tok.kind == RefToken::Digit && ch >= L'0' && ch <= L'9') ||
                             (tok.kind == RefToken::Literal && tok.set[0] == ch) ||
                             (tok.kind == RefToken::Set && InGroup(tok.set, ch));
            can[j][i] = one && can[j + 1][i + 1];
        }
    }
    return can[0][0] != 0;
}

// Random patterns and texts over a few letters (Czech ones in both cases),
// digits and line ends: the pre-filtered, lower-casing matcher agrees with
// the reference, and every required run is in any text that matches.
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
        bool allThere = true;
        for (const std::wstring& run : runs) allThere = allThere && lowText.find(run) != std::wstring::npos;
        if (expected) {
            EXPECT_TRUE(allThere);
        }
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
