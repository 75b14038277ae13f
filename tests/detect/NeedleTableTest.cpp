#include "detect/clsNeedleTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/Like.h"
#include "base/Text.h"
#include "detect/DetectorFixture.h"
#include "detect/mdlRegex.h"

namespace {

// Letters that fold in irregular ways (i/İ/ı, s/ſ, ß, ÿ/Ÿ, σ/ς/Σ), Czech ones in both cases, the list's delimiters.
const std::wstring kLetters = L"aAiIİısSſßÿŸσςΣčČřŘůŮžŽ~#\r\n";

std::wstring RandomText(std::mt19937& rng, const std::wstring& letters, size_t length) {
    std::wstring text;
    for (size_t i = 0; i < length; ++i) text += letters[rng() % letters.size()];
    return text;
}

// Needles that overlap, repeat, nest, are empty or differ only in case: pieces of the text, and random strings.
std::wstring RandomNeedle(std::mt19937& rng, const std::wstring& text, const std::wstring& letters, size_t maxLength) {
    const size_t length = rng() % (maxLength + 1);
    if (rng() % 3 == 0 || text.size() < length) return RandomText(rng, letters, length);
    std::wstring needle = text.substr(rng() % (text.size() - length + 1), length);
    for (wchar_t& ch : needle) {
        if (rng() % 2 == 0) ch = rng() % 2 ? base::UpperChar(ch) : base::LowerChar(ch);
    }
    return needle;
}

// One pass finds what a case-folded search per needle finds, with the full transition table (narrow or wide cells)
// and, for many long needles over many letters, without it; and every place of the needles that ask for them, up to
// the limit.
TEST(NeedleTableTest, FirstPositionsAsSearchingOneByOne) {
    struct Shape {
        const char* name;
        std::wstring letters;
        size_t textLength, needles, maxNeedle, rounds;
    };
    const Shape shapes[] = {
        {"short", kLetters, 60, 20, 4, 300},
        {"two letters", L"aA", 200, 30, 8, 50},
        {"few needles", kLetters + L"\U0001D11E\uAC00", 300, 2, 6, 300},
        {"no full table", kLetters + L"bcdefghjklmnopqrtuvwxyz0123456789", 2000, 800, 250, 2},
        {"over the limit of places", L"aAb", 4000, 6, 2, 4},
        {"parts", kLetters, 80000, 60, 6, 3},
        {"places in parts", L"aAbcdefghijklmnopqrstuvwxyz0123456789", 70000, 24, 2, 6},
        {"wide table cells", L"abAB", 3000, 400, 500, 1},
    };
    std::mt19937 rng(13);
    for (const Shape& shape : shapes) {
        for (size_t round = 0; round < shape.rounds; ++round) {
            const std::wstring text = RandomText(rng, shape.letters, rng() % (shape.textLength + 1));
            clsNeedleTable table;
            std::vector<std::pair<std::wstring, clsNeedleTable::Fold>> needles;
            std::vector<size_t> indexes;
            for (size_t n = 0; n < shape.needles; ++n) {
                const auto fold = rng() % 2 ? clsNeedleTable::UpperFold : clsNeedleTable::LowerFold;
                needles.emplace_back(RandomNeedle(rng, text, shape.letters, shape.maxNeedle), fold);
                if (n > 0 && rng() % 8 == 0) needles.back() = needles[rng() % n];  // the same needle again
                indexes.push_back(table.Add(needles.back().first, needles.back().second, n % 2 == 1));
            }
            table.Search(text);
            const std::wstring upper = base::UCase(text);
            const std::wstring lower = base::LCase(text);
            for (size_t n = 0; n < needles.size(); ++n) {
                const auto& [needle, fold] = needles[n];
                ASSERT_EQ(table.Index(needle, fold), indexes[n]);
                const std::wstring& folded = fold == clsNeedleTable::UpperFold ? upper : lower;
                const std::wstring key = fold == clsNeedleTable::UpperFold ? base::UCase(needle) : base::LCase(needle);
                ASSERT_EQ(table.FirstPosition(indexes[n]), folded.find(key))
                    << shape.name << " round " << round << " needle " << n << " fold " << int(fold);
                std::vector<size_t> places;
                for (size_t at = folded.find(key); at != std::wstring::npos && !needle.empty();
                     at = folded.find(key, at + 1)) {
                    places.push_back(at);
                }
                bool every = false;  // asked for by any of the needle's adds
                for (size_t m = 1; m < indexes.size(); m += 2) every |= indexes[m] == indexes[n];
                ASSERT_EQ(table.PlacesComplete(indexes[n]), every && !needle.empty() && places.size() < 1024);
                if (!every || needle.empty()) places.clear();
                places.resize(std::min<size_t>(places.size(), 1024));
                ASSERT_EQ(table.Places(indexes[n]), places) << shape.name << " round " << round << " needle " << n;
            }
        }
    }
}

// The same through the scan: many INSTR, LIKE and REGEXP tracks on one list
// give what a track-by-track evaluation gives.
class NeedleScanTest : public detect_test::DetectorTest {};

TEST_F(NeedleScanTest, OnePassAgreesWithTrackByTrack) {
    std::mt19937 rng(14);
    for (int round = 0; round < 8; ++round) {
        // Process names reach the list without an ANSI round trip.
        std::wstring list;
        machine.processes.processes.clear();
        for (int line = 0; line < 40 && round != 0; ++line) {
            machine.processes.processes.push_back(RandomText(rng, L"aAiIİısSčČřŘůŮ~#-", rng() % 12));
            list += machine.processes.processes.back() + L"\r\n";
        }
        AddBreed(round + 1, 0, 60);
        detect_test::Tracks tracks;
        for (int n = 0; n < 60; ++n) {
            std::wstring testing = RandomNeedle(rng, list, L"aAiIİısSčČřŘůŮ~#-", 8);
            if (rng() % 5 == 0) testing.insert(rng() % (testing.size() + 1), L"%crlf%");
            const wchar_t* op = n % 4 == 0 ? L"!INSTR" : L"INSTR";
            if (n % 3 == 2) {
                op = n % 2 ? L"LIKE" : L"!LIKE";
                testing = (rng() % 4 ? L"*" : L"") + testing + L"*" + RandomNeedle(rng, list, L"aIč?#*", 3) +
                          (rng() % 4 ? L"*" : L"");
            }
            if (n % 7 == 6) {
                op = L"REGEXP";
                testing = RandomNeedle(rng, list, L"aIč", 6) + (rng() % 2 ? L"[iı]?" : L"\\-*") +
                          RandomNeedle(rng, list, L"aIč", 4);
            }
            tracks.push_back(AddTrack(round + 1, L"PROCESS", base::DecStr(round), op, testing));
        }
        detector.Scan(-1);
        ASSERT_EQ(detector.EnumList(tracks[0]->EnumListID())->Text(), list);
        for (const auto& track : tracks) {
            std::wstring testing = track->TestingValue();
            for (size_t at; (at = testing.find(L"%crlf%")) != std::wstring::npos;) testing.replace(at, 6, L"\r\n");
            const bool like = track->Operator().find(L"LIKE") != std::wstring::npos;
            std::wstring expected = like ? (base::LikeText(list, testing) ? L"True" : L"False")
                                         : base::DecStr(base::InStr(1, list, testing, true));
            if (track->Operator() == L"REGEXP") {
                std::vector<mdlRegex::Match> matches;
                // In a group the engine searches on its own.
                mdlRegex::Execute(L"(?:" + track->TestingValue() + L")", list, matches);
                expected.clear();
                for (const auto& [at, length] : matches) {
                    expected += list.substr(at, length) + L" at " + base::DecStr(static_cast<int64_t>(at)) + L"\r\n";
                }
            }
            EXPECT_EQ(track->OutputValue(), expected) << "round " << round << ": " << track->Operator() << " "
                                                       << testing.size();
        }
        EXPECT_TRUE(Errors().empty());
    }
}

// A long text is walked in parts: what lies across a border is found, what lies where two parts overlap once.
TEST(NeedleTableTest, NeedlesAtTheBorderOfTwoParts) {
    std::wstring text;  // many letters, so that the walk cannot step over blocks of text
    for (size_t i = 0; i < 40000; ++i) text += static_cast<wchar_t>(L'a' + i * 7 % 26);
    text.replace(9996, 8, L"#MIDDLE#");
    clsNeedleTable table;
    for (wchar_t ch = L'b'; ch < L'z'; ch += 2) table.Add(std::wstring(1, ch), clsNeedleTable::UpperFold);
    const size_t across = table.Add(L"#middle#", clsNeedleTable::LowerFold);
    const size_t mark = table.Add(L"#", clsNeedleTable::LowerFold, true);
    table.Search(text);
    EXPECT_EQ(table.FirstPosition(across), 9996u);
    EXPECT_EQ(table.Places(mark), (std::vector<size_t>{9996, 10003}));
}

// A first character beyond the basic plane (a pair on UTF-16 builds) starts a needle too.
TEST(NeedleTableTest, NeedleStartingBeyondTheBasicPlane) {
    clsNeedleTable table;
    const size_t index = table.Add(L"\U0001F600x", clsNeedleTable::UpperFold);
    table.Search(L"ab\U0001F600X");
    EXPECT_EQ(table.FirstPosition(index), 2u);
}

}  // namespace
