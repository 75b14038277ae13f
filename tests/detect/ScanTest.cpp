#include <gtest/gtest.h>

#include "detect/DetectorFixture.h"

namespace detect_test {
namespace {

const std::wstring kBlankLine = std::wstring(50, L' ') + L"\r\n";
const std::wstring kRuleLine = std::wstring(50, L'-') + L"\r\n";

TEST_F(DetectorTest, OperatorsGiveOutputAndScore) {
    struct Case {
        const wchar_t* list;
        const wchar_t* op;
        const wchar_t* testing;
        const wchar_t* output;
        int32_t score;
    };
    const Case cases[] = {
        // "=" compares the whole list, case counts; "~#" is ordinary text.
        {L"A~#B\r\n", L"=", L"a~#b", L"False", 0},
        {L"A~#B\r\n", L"!=", L"a~#b", L"False", 1},
        {L"A~#B\r\n", L"!=", L"A~#B%crlf%", L"True", 0},
        {L"A~#B\r\n", L"=", L"A~#B%CRLF%", L"False", 0},
        {L"A~#B\r\n", L"INSTR", L"a~#b", L"1", 1},
        {L"A~#B\r\n", L"!INSTR", L"b", L"4", 0},
        {L"A~#B\r\n", L"!INSTR", L"zz", L"0", 1},
        {L"A~#B\r\n", L"INSTR", L"", L"1", 1},
        {L"X~#1\r\nab\r\nX~#2\r\n", L"INSTR", L"%crlf%X~#", L"9", 1},
        {L"X~#1\r\nab\r\n", L"INSTR", L"%crlf%X~#", L"0", 0},
        // LIKE: "#" is a digit, "[#]" the sign itself; "*" takes line ends.
        {L"A~#B\r\n", L"LIKE", L"a~#b*", L"False", 0},
        {L"A~#B\r\n", L"LIKE", L"a~[#]b*", L"True", 1},
        {L"A~#B\r\n", L"!LIKE", L"a~[#]b*", L"True", 0},
        {L"v12\r\n", L"LIKE", L"[!a-u]##?*", L"True", 1},
        // ">" and "<": the character count against the number.
        {L"A~#B\r\n", L">", L"0", L"6", 1},
        {L"A~#B\r\n", L">", L" 6 ", L"6", 0},
        {L"123456789", L"<", L"10", L"9", 1},
        {L"123456789", L">", L"8.5", L"9", 1},
        // REGEXP: each match with its 0-based offset; "^" and "$" at every line.
        {L"Nimbus\r\nnet\r\n", L"REGEXP", L"^n[a-z]*$", L"Nimbus at 0\r\nnet at 8\r\n", 1},
        {L"Nimbus\r\nnet\r\n", L"REGEXP", L"bus..net", L"", 0},
        {L"ABC\r\n", L"REGEXP", L"\\u0042", L"B at 1\r\n", 1},
        {L"A\\u0042\r\n", L"REGEXP", L"\\\\u0042", L"\\u0042 at 1\r\n", 1},
        {L"abc\r\n", L"REGEXP", L"%crlf%", L"", 0},
    };
    std::vector<std::shared_ptr<clsTrack>> tracks;
    const auto breed = AddBreed(1, 0, 1, static_cast<int32_t>(std::size(cases)));
    for (const Case& c : cases) tracks.push_back(AddListTrack(1, c.list, c.op, c.testing));
    detector.Scan(-1);
    int16_t hits = 0;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(cases[i].op) + L" " + cases[i].testing));
        EXPECT_EQ(tracks[i]->OutputValue(), cases[i].output);
        EXPECT_EQ(tracks[i]->Score(), cases[i].score);
        hits += static_cast<int16_t>(cases[i].score);
    }
    EXPECT_EQ(breed->Score(), hits);
    EXPECT_TRUE(breed->IsScaned());
    EXPECT_TRUE(Errors().empty());
}

// The lists come from process names, which reach the list without an ANSI
// round trip, so the letters survive on every build.
TEST_F(DetectorTest, CzechLettersIgnoreCase) {
    machine.processes.processes = {L"xx", L"Čeština", L"ŽLUŤOUČKÝ kůň"};
    AddBreed(1, 0, 1, 4);
    const auto instr = AddTrack(1, L"PROCESS", L"", L"instr", L"čEŠTINA%crlf%žluťoučký");
    const auto like = AddTrack(1, L"PROCESS", L"", L"LIKE", L"*%crlf%žluťoučký*Ň%crlf%");
    const auto regexp = AddTrack(1, L"PROCESS", L"", L"REGEXP", L"^ČEŠTINA$|KŮŇ");
    const auto range = AddTrack(1, L"PROCESS", L"", L"REGEXP", L"[a-z]Ů");
    detector.Scan(-1);
    EXPECT_EQ(instr->OutputValue(), L"5");
    EXPECT_EQ(like->OutputValue(), L"True");
    EXPECT_EQ(regexp->OutputValue(), L"Čeština at 4\r\nkůň at 23\r\n");
    EXPECT_EQ(range->OutputValue(), L"ků at 23\r\n");
}

TEST_F(DetectorTest, UnknownOperatorAsksAndCountsWithoutHit) {
    const auto breed = AddBreed(1, 0, 0, 3);
    const auto plain = AddListTrack(1, L"x\r\n", L"contains", L"x", 1);
    const auto negated = AddListTrack(1, L"x\r\n", L"!CONTAINS", L"x");
    const auto noBang = AddListTrack(1, L"x\r\n", L"!REGEXP", L"x");
    detector.Scan(-1);
    ASSERT_EQ(machine.dialogs.shown.size(), 3u);
    EXPECT_EQ(machine.dialogs.shown[0].text, L"Pozor! Neznámý operátor CONTAINS");
    EXPECT_EQ(machine.dialogs.shown[0].title, L"Quorvex");
    EXPECT_EQ(machine.dialogs.shown[0].flags, platform::kMbOk | platform::kMbIconExclamation);
    EXPECT_EQ(machine.dialogs.shown[1].text, L"Pozor! Neznámý operátor !CONTAINS");
    EXPECT_EQ(machine.dialogs.shown[2].text, L"Pozor! Neznámý operátor !REGEXP");
    for (const auto& track : {plain, negated, noBang}) EXPECT_EQ(track->Score(), -1) << "! does not invert -1";
    EXPECT_EQ(breed->Track(), 3);
    EXPECT_EQ(breed->Score(), 0);
    // Only the track with report level 1 gets its detail block.
    EXPECT_NE(detector.Report().find(L"Operator=CONTAINS\r\nOutputValue=\r\nScore=-1\r\n"), std::wstring::npos);
    EXPECT_EQ(detector.Report().find(L"!CONTAINS"), std::wstring::npos);
}

TEST_F(DetectorTest, ReportBlocksByteForByte) {
    const auto breed = AddBreed(7, -1);
    breed->Info(L"Line1\r\nLine2");
    breed->URL(L"http://help.test/7");
    const auto track = AddListTrack(7, L"x\r\n", L"=", L"x%crlf%", 129);
    detector.Scan(-1);
    EXPECT_EQ(detector.Report(),
              kBlankLine + L"BreedID:7\r\nName:Breed 7\r\nInfo:Line1\r\nLine2\r\nURL:http://help.test/7\r\n" +
                  L"Filter:-1\r\nClass=DOWNLOADFILE\r\nID=1\r\nEnumListID=" + track->EnumListID() +
                  L"\r\nInputValue=http://lists.test/1\r\nOperator==\r\nOutputValue=True\r\nScore=1\r\n" +
                  L"TestingValue=x%crlf%\r\nReportLevel=129\r\n" + kBlankLine + kRuleLine +
                  L"[DOWNLOADFILE].(http://lists.test/1)\r\nx\r\n\r\n" + kRuleLine);
}

TEST_F(DetectorTest, ReportLevelsChooseTheBlocks) {
    // Level, whether the track matches, then the blocks expected.
    const std::tuple<int32_t, bool, bool, bool> cases[] = {
        {0, false, false, false}, {0, true, true, false},  {128, false, false, true},
        {129, false, true, true}, {99, false, true, false},
    };
    AddBreed(1, 0, 1, static_cast<int32_t>(std::size(cases)));
    for (const auto& [level, match, detail, list] : cases) {
        AddTrack(1, L"FOO", base::DecStr(level) + (match ? L"m" : L""), L"=", match ? L"" : L"no", level);
    }
    detector.Scan(-1);
    const std::wstring report = detector.Report();
    for (const auto& [level, match, detail, list] : cases) {
        SCOPED_TRACE(level);
        const std::wstring input = base::DecStr(level) + (match ? L"m" : L"");
        const size_t detailAt = report.find(L"InputValue=" + input + L"\r\n");
        const size_t listAt = report.find(kRuleLine + L"[FOO].(" + input + L")\r\n\r\n" + kRuleLine);
        EXPECT_EQ(detailAt != std::wstring::npos, detail);
        EXPECT_EQ(listAt != std::wstring::npos, list);
        if (detail && list) {
            EXPECT_LT(detailAt, listAt);
        }
    }
}

TEST_F(DetectorTest, FilterMaskAndEventIndexes) {
    AddBreed(1, 1);
    const auto b2 = AddBreed(2, 2);
    AddBreed(3, 3);
    AddBreed(4, 0);
    std::vector<std::shared_ptr<clsTrack>> tracks;
    for (int32_t breed : {1, 2, 3, 4}) tracks.push_back(AddTrack(breed, L"FOO", L"", L"=", L""));
    detector.Scan(1);
    EXPECT_EQ(tracks[0]->Score(), 1);
    EXPECT_EQ(tracks[1]->Score(), -1);
    EXPECT_EQ(tracks[2]->Score(), -1);
    EXPECT_EQ(tracks[3]->Score(), 1);
    EXPECT_EQ(b2->Track(), 0);
    EXPECT_EQ(events, (std::vector<ScanEvent>{{1, 1, 4, 1}, {2, 1, 4, 1}, {1, 4, 4, 4}, {2, 4, 4, 4}}));
    events.clear();
    detector.Scan(3);
    EXPECT_EQ(tracks[2]->Score(), 1);
    EXPECT_EQ(events.size(), 8u);
}

TEST_F(DetectorTest, CancelDuringTheFirstEventStopsAfterGathering) {
    const auto breed = AddBreed(1, 0, 1, 3);
    const auto first = AddListTrack(1, L"a\r\n", L"INSTR", L"a");
    const auto second = AddListTrack(1, L"b\r\n", L"INSTR", L"b");
    const auto third = AddListTrack(1, L"c\r\n", L"INSTR", L"c");
    onEvent = [this](int32_t lngType, int32_t lngIndex) {
        if (lngType == 1 && lngIndex == 2) detector.Cancel();
    };
    detector.Scan(-1);
    EXPECT_EQ(first->Score(), 1);
    EXPECT_EQ(second->Score(), -1);
    EXPECT_NE(detector.EnumList(second->EnumListID()), nullptr) << "the list is gathered before the stop";
    EXPECT_EQ(detector.EnumList(third->EnumListID()), nullptr);
    EXPECT_EQ(events, (std::vector<ScanEvent>{{1, 1, 3, 1}, {2, 1, 3, 1}, {1, 2, 3, 1}}));
    EXPECT_EQ(breed->Track(), 1);
    EXPECT_TRUE(Errors().empty()) << "a stop is not an error";
}

TEST_F(DetectorTest, AnErrorMidwayStopsTheScanWithItsTestingText) {
    const auto breed = AddBreed(1, 0, 1, 3);
    const auto first = AddListTrack(1, L"abc\r\n", L"INSTR", L"c%crlf%");
    const auto bad = AddListTrack(1, L"abc\r\n", L">", L"abc");
    const auto after = AddListTrack(1, L"abc\r\n", L"INSTR", L"a");
    detector.Scan(-1);
    EXPECT_EQ(first->Score(), 1);
    EXPECT_EQ(bad->Score(), -1);
    EXPECT_EQ(after->Score(), -1);
    EXPECT_EQ(breed->Track(), 1);
    EXPECT_EQ(events, (std::vector<ScanEvent>{{1, 1, 3, 1}, {2, 1, 3, 1}, {1, 2, 3, 1}}));
    EXPECT_EQ(Errors(), std::vector<std::wstring>{L"Quorvex[clsDetector] (Scan)\tabc\t13\tQuorvex\tType mismatch"});
}

// Each case is the only track of its scan. The error record names the scan,
// the testing text (once the track got that far) and the error number.
TEST_F(DetectorTest, BadContentEndsAsAScanError) {
    struct Case {
        int32_t breed;
        const wchar_t* cls;
        const wchar_t* op;
        const wchar_t* testing;
        const wchar_t* traced;
        int32_t number;
    };
    const Case cases[] = {
        {1, L"FOO", L"LIKE", L"a[bc", L"a[bc", 93},
        {1, L"FOO", L"!LIKE", L"[z-a]", L"[z-a]", 93},
        {1, L"FOO", L"REGEXP", L"(a", L"(a", 5017},
        {1, L"DOWNLOADFILE", L"REGEXP", L"(a*)*b", L"(a*)*b", 5},  // runaway on 30,000 letters
        {1, L"", L"=", L"x", L"x", 91},                            // no key: the list cannot be found
        {9, L"FOO", L"=", L"x", L"", 91},                          // breed 9 is not registered
    };
    machine.internet.Serve(L"http://lists.test/a", std::wstring(30000, L'a'));
    AddBreed(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.testing)));
        log->ClearRecords();
        clsDetector own;
        own.AddBreed(detector.Breed(1));
        auto track = std::make_shared<clsTrack>();
        track->BreedID(c.breed);
        track->Class(c.cls);
        if (std::wstring(c.cls) == L"DOWNLOADFILE") track->InputValue(L"http://lists.test/a");
        track->Operator(c.op);
        track->TestingValue(c.testing);
        own.AddTrack(track);
        own.Scan(-1);
        EXPECT_EQ(track->Score(), -1);
        ASSERT_FALSE(Errors().empty());
        const std::wstring expected =
            L"Quorvex[clsDetector] (Scan)\t" + std::wstring(c.traced) + L"\t" + base::DecStr(c.number) + L"\t";
        EXPECT_EQ(Errors().back().rfind(expected, 0), 0u) << testing::PrintToString(Errors().back());
    }
}

TEST_F(DetectorTest, ScanningTwiceGathersAgainAndRepeatsTheReport) {
    AddBreed(1, 0, 1, 2);
    AddListTrack(1, L"one\r\n", L"INSTR", L"one", 129);
    AddTrack(1, L"PROCESS", L"", L"LIKE", L"*svc*", 1);
    machine.processes.processes = {L"init", L"svc.exe"};
    detector.Scan(-1);
    const std::wstring first = detector.Report();
    machine.processes.processes = {L"init"};
    detector.Scan(-1);
    EXPECT_NE(detector.Report(), first) << "the second scan saw the changed process list";
    machine.processes.processes = {L"init", L"svc.exe"};
    detector.Scan(-1);
    EXPECT_EQ(detector.Report(), first);
    EXPECT_EQ(machine.internet.fetches.size(), 3u);
}

}  // namespace
}  // namespace detect_test
