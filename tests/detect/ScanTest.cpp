#include "base/CodePage.h"
#include "base/TestSupport.h"
#include "detect/DetectorFixture.h"
#include "detect/mdlRules.h"

namespace detect_test {
namespace {

const std::wstring kRuleLine = std::wstring(50, L'-') + L"\r\n";

TEST_F(DetectorTest, RegistersAndQueries) {
    AddBreed(1);
    AddBreed(2);
    log->ClearRecords();
    auto duplicate = std::make_shared<clsBreed>();
    duplicate->ID(2);
    EXPECT_EQ(detector.AddBreed(duplicate), -1);
    EXPECT_NE(detector.Breed(2), duplicate);
    ASSERT_EQ(log->events.size(), 3u);
    EXPECT_EQ(log->events[1].text.rfind(L"Quorvex[clsDetector] (AddBreed)\t\t457\t", 0), 0u);
    EXPECT_EQ(log->events[2].text, L"Quorvex[clsDetector] (AddBreed)\tEND: RETURN=-1");
    log->ClearRecords();
    EXPECT_EQ(detector.Breed(7), nullptr);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].substr(Errors()[0].size() - 2), L"\t7") << "the id is the extra value";

    const auto t1 = AddTrack(1, L"FOO", L"", L"=", L"");
    const auto t2 = AddTrack(2, L"FOO", L"", L"=", L"x");
    const auto t3 = AddTrack(1, L"FOO", L"", L"=", L"x");
    EXPECT_EQ(detector.AddTrack(t1), 4) << "the same track may be registered again";
    EXPECT_EQ(detector.AddTrack(nullptr), -1);
    EXPECT_EQ(detector.Track(2), t2);
    for (int32_t outside : {0, 5}) EXPECT_EQ(detector.Track(outside), nullptr);
    EXPECT_EQ(detector.Tracks(-1, -1), detector.Tracks(-1, -1)) << "the register itself";
    EXPECT_EQ(detector.Tracks(1, -1)->NewEnum(), (Tracks{t1, t3, t1}));
    detector.Scan(-1);
    EXPECT_EQ(detector.Tracks(-1, 1)->NewEnum(), (Tracks{t1, t1}));
    EXPECT_EQ(detector.Tracks(2, 0)->NewEnum(), (Tracks{t2}));
    EXPECT_EQ(detector.Tracks(2, 1)->Count(), 0);
}

TEST_F(DetectorTest, ClearResetsOnlyTheCheck) {
    const auto breed = AddBreed(1);
    const auto track = AddTrack(1, L"FOO", L"", L"=", L"", 1);
    detector.Scan(-1);
    ASSERT_EQ(breed->Score(), 1);
    detector.Cancel();
    detector.Clear();
    EXPECT_EQ(breed->Score() + breed->Track(), 0);
    EXPECT_EQ(track->Score(), -1);
    EXPECT_EQ(track->OutputValue() + detector.Report(), L"");
    EXPECT_EQ(detector.ReportCapacity(), 0);
    EXPECT_EQ(detector.EnumList(track->EnumListID()), nullptr);
    EXPECT_EQ(detector.BreedCount(), 1);
    EXPECT_TRUE(detector.IsCancelled()) << "Clear leaves the cancel flag alone";
}

TEST_F(DetectorTest, ReportKeepsNulCharactersAndTheClassicCapacity) {
    AddBreed(1);
    const std::wstring content = std::wstring(L"a\0b\r\n", 5) + std::wstring(140000, L'x');
    AddListTrack(1, content, L"=", L"", 128);
    detector.Scan(-1);
    EXPECT_EQ(detector.Report(), kRuleLine + L"[DOWNLOADFILE].(http://lists.test/1)\r\n" + content + L"\r\n" + kRuleLine);
    // The first rule opens one step of 65,535; the list, more than the room plus a step, lands on the
    // trimmed text; the last rule opens one more step.
    EXPECT_EQ(detector.ReportCapacity(), static_cast<int32_t>(detector.Report().size() - kRuleLine.size()) + 65535);
}

TEST_F(DetectorTest, AReportThatFillsItsCapacityExactlyOpensNoStep) {
    AddBreed(1);
    const std::wstring_view header = L"[DOWNLOADFILE].(http://lists.test/1)\r\n";
    const size_t fixed = 2 * kRuleLine.size() + header.size() + 2;
    AddListTrack(1, std::wstring(65535 - fixed, L'x'), L"=", L"", 128);
    detector.Scan(-1);
    ASSERT_EQ(detector.Report().size(), 65535u);
    EXPECT_EQ(detector.ReportCapacity(), 65535);
}

TEST_F(DetectorTest, OperatorsGiveOutputAndScore) {
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int32_t> cases[] = {
        // "=" compares the whole list, case counts; "~#" is ordinary text; only "%crlf%" is a line end.
        {L"A~#B\r\n", L"!=", L"a~#b", L"False", 1}, {L"A~#B\r\n", L"!=", L"A~#B%crlf%", L"True", 0},
        {L"A~#B\r\n", L"=", L"A~#B%CRLF%", L"False", 0}, {L"A~#B\r\n", L"INSTR", L"a~#b", L"1", 1},
        {L"A~#B\r\n", L"!INSTR", L"b", L"4", 0}, {L"A~#B\r\n", L"!INSTR", L"zz", L"0", 1},
        {L"A~#B\r\n", L"INSTR", L"", L"1", 1}, {L"X~#1\r\nab\r\nX~#2\r\n", L"INSTR", L"%crlf%X~#", L"9", 1},
        // LIKE ignores case; "[#]" is the sign itself.
        {L"A~#B\r\n", L"LIKE", L"a~[#]b*", L"True", 1}, {L"A~#B\r\n", L"!LIKE", L"a~[#]b*", L"True", 0},
        // ">" and "<": the character count against the number.
        {L"A~#B\r\n", L">", L" 6 ", L"6", 0}, {L"123456789", L"<", L"10", L"9", 1},
        {L"123456789", L">", L"8.5", L"9", 1},
        // REGEXP: each match with its 0-based offset; "^" and "$" at every line; no "%crlf%".
        {L"Nimbus\r\nnet\r\n", L"REGEXP", L"^n[a-z]*$", L"Nimbus at 0\r\nnet at 8\r\n", 1},
        {L"Nimbus\r\nnet\r\n", L"REGEXP", L"bus..net", L"", 0}, {L"ABC\r\n", L"REGEXP", L"\\u0042", L"B at 1\r\n", 1},
        {L"A\\u0042\r\n", L"REGEXP", L"\\\\u0042", L"\\u0042 at 1\r\n", 1},
        {L"abc\r\n", L"REGEXP", L"%crlf%", L"", 0},
    };
    Tracks tracks;
    const auto breed = AddBreed(1, 0, static_cast<int32_t>(std::size(cases)));
    for (const auto& [list, op, testing, output, score] : cases) tracks.push_back(AddListTrack(1, list, op, testing));
    detector.Scan(-1);
    int16_t hits = 0;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& [list, op, testing, output, score] = cases[i];
        SCOPED_TRACE(testing::PrintToString(std::wstring(op) + L" " + testing));
        EXPECT_EQ(tracks[i]->OutputValue(), output);
        EXPECT_EQ(tracks[i]->Score(), score);
        hits += static_cast<int16_t>(score);
    }
    EXPECT_EQ(breed->Score(), hits);
    EXPECT_TRUE(breed->IsScaned());
    EXPECT_TRUE(Errors().empty());
}

// Process names reach the list without an ANSI round trip, so the letters survive on every build.
TEST_F(DetectorTest, CzechLettersIgnoreCase) {
    machine.processes.processes = {L"xx", L"Čeština", L"ŽLUŤOUČKÝ kůň"};
    AddBreed(1, 0, 4);
    const auto instr = AddTrack(1, L"PROCESS", L"", L"instr", L"čEŠTINA%crlf%žluťoučký");
    const auto like = AddTrack(1, L"PROCESS", L"", L"LIKE", L"*%crlf%žluťoučký*Ň%crlf%");
    const auto regexp = AddTrack(1, L"PROCESS", L"", L"REGEXP", L"^ČEŠTINA$|KŮŇ");
    const auto range = AddTrack(1, L"PROCESS", L"", L"REGEXP", L"[a-z]Ů");
    detector.Scan(-1);
    EXPECT_EQ(instr->OutputValue() + L"|" + like->OutputValue(), L"5|True");
    EXPECT_EQ(regexp->OutputValue(), L"Čeština at 4\r\nkůň at 23\r\n");
    EXPECT_EQ(range->OutputValue(), L"ků at 23\r\n");
}

// Every operator the knowledge-base checks accept is evaluated; any other asks.
TEST_F(DetectorTest, UnknownOperatorAsksAndCountsWithoutHit) {
    Tracks known;
    for (std::wstring_view op : mdlRules::KnownOperators()) known.push_back(AddListTrack(2, L"12\r\n", op, L"1"));
    AddBreed(2, 0, static_cast<int32_t>(known.size()));
    const auto breed = AddBreed(1, 0, 3);
    const Tracks tracks = {AddListTrack(1, L"x\r\n", L"contains", L"x"), AddListTrack(1, L"x\r\n", L"!CONTAINS", L"x"),
                           AddListTrack(1, L"x\r\n", L"!REGEXP", L"x")};
    detector.Scan(-1);
    for (const auto& track : known) EXPECT_NE(track->Score(), -1) << track->Operator();
    ASSERT_EQ(machine.dialogs.shown.size(), 3u);
    EXPECT_EQ(machine.dialogs.shown[0].text, L"Pozor! Neznámý operátor CONTAINS");
    EXPECT_EQ(machine.dialogs.shown[0].title, L"Quorvex");
    EXPECT_EQ(machine.dialogs.shown[0].flags, platform::kMbOk | platform::kMbIconExclamation);
    EXPECT_EQ(machine.dialogs.shown[2].text, L"Pozor! Neznámý operátor !REGEXP");
    for (const auto& track : tracks) EXPECT_EQ(track->Score(), -1) << "! does not invert -1";
    EXPECT_EQ(breed->Track(), 3);
    EXPECT_EQ(breed->Score(), 0);
}

TEST_F(DetectorTest, ReportBlocksByteForByte) {
    const auto breed = AddBreed(7, -1);
    breed->Info(L"Line1\r\nLine2");
    breed->URL(L"http://help.test/7");
    AddListTrack(7, L"x\r\n", L"=", L"x%crlf%", 129);
    detector.Scan(-1);
    EXPECT_EQ(base::WideToUtf8(detector.Report()), test_support::Golden("detect/report-blocks.txt"));
}

// A track's detail block is written for a hit or report level bit 0, its list
// block for bit 7: levels 0, 0 with a hit, 128, 129 and 99.
TEST_F(DetectorTest, ReportLevelsChooseTheBlocks) {
    const std::pair<int32_t, bool> cases[] = {{0, false}, {0, true}, {128, false}, {129, false}, {99, false}};
    AddBreed(1, 0, static_cast<int32_t>(std::size(cases)));
    for (const auto& [level, match] : cases) {
        AddTrack(1, L"FOO", base::DecStr(level) + (match ? L"m" : L""), L"=", match ? L"" : L"no", level);
    }
    detector.Scan(-1);
    EXPECT_EQ(base::WideToUtf8(detector.Report()), test_support::Golden("detect/report-levels.txt"));
}

TEST_F(DetectorTest, FilterMaskAndEventIndexes) {
    Tracks tracks;
    for (int32_t id : {1, 2, 3, 4}) {
        AddBreed(id, id % 4);
        tracks.push_back(AddTrack(id, L"FOO", L"", L"=", L""));
    }
    detector.Scan(1);
    EXPECT_EQ(tracks[0]->Score() + tracks[3]->Score(), 2);
    EXPECT_EQ(tracks[1]->Score() + tracks[2]->Score(), -2) << "filter 2 or 3 is not all inside mask 1";
    EXPECT_EQ(detector.Breed(2)->Track(), 0);
    EXPECT_EQ(events, (ScanEvents{{1, 1, 4, 1}, {2, 1, 4, 1}, {1, 4, 4, 4}, {2, 4, 4, 4}}));
    events.clear();
    detector.Scan(3);
    EXPECT_EQ(tracks[2]->Score(), 1);
    EXPECT_EQ(events.size(), 8u);
}

// A cancel in the second track's first event stops once its list is gathered; an error in its evaluation stops
// the scan with its testing text in the record. The third track is never reached.
TEST_F(DetectorTest, ACancelOrAnErrorMidwayStopsTheScan) {
    const auto breed = AddBreed(1, 0, 3);
    const Tracks tracks = {AddListTrack(1, L"a\r\n", L"INSTR", L"a%crlf%"), AddListTrack(1, L"b\r\n", L">", L"abc"),
                           AddListTrack(1, L"c\r\n", L"INSTR", L"c")};
    for (const bool cancel : {true, false}) {
        detector.Cancel(true);
        events.clear();
        log->ClearRecords();
        onEvent = [this, cancel](int32_t type, int32_t index) {
            if (cancel && type == 1 && index == 2) detector.Cancel();
        };
        detector.Scan(-1);
        EXPECT_EQ((std::vector<int32_t>{tracks[0]->Score(), tracks[1]->Score(), tracks[2]->Score()}),
                  (std::vector<int32_t>{1, -1, -1}));
        EXPECT_EQ(breed->Track(), 1);
        EXPECT_EQ(events, (ScanEvents{{1, 1, 3, 1}, {2, 1, 3, 1}, {1, 2, 3, 1}}));
        EXPECT_NE(detector.EnumList(tracks[1]->EnumListID()), nullptr);
        EXPECT_EQ(detector.EnumList(tracks[2]->EnumListID()), nullptr);
        const std::wstring error = L"Quorvex[clsDetector] (Scan)\tabc\t13\tQuorvex\tType mismatch";
        EXPECT_EQ(Errors(), cancel ? std::vector<std::wstring>{} : std::vector<std::wstring>{error});
    }
}

// Each case is the only track of its scan. The error record names the testing text (once the
// track got that far: breed 9 is not registered) and the error number.
TEST_F(DetectorTest, BadContentEndsAsAScanError) {
    std::wstring lines;
    for (int i = 0; i < 600; ++i) lines += std::wstring(60, L'a') + L"b\r\n";
    machine.internet.Serve(L"http://lists.test/a", L"b" + std::wstring(30000, L'a'));
    machine.internet.Serve(L"http://lists.test/b", lines + std::wstring(100000, L'x'));
    const std::tuple<int32_t, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int32_t> cases[] = {
        {1, L"FOO", L"", L"LIKE", L"a[bc", 93},
        {1, L"FOO", L"", L"REGEXP", L"(a", 5017},
        {1, L"DOWNLOADFILE", L"http://lists.test/a", L"REGEXP", L"(a*)*b", 5},     // runaway on the letters after "b"
        {1, L"DOWNLOADFILE", L"http://lists.test/b", L"REGEXP", L"a*a*a*c|b", 5},  // runaway over many matches
        {1, L"", L"", L"=", L"x", 91},                                             // no key: the list cannot be found
        {9, L"FOO", L"", L"=", L"x", 91},
    };
    for (const auto& [breedID, cls, input, op, testing, number] : cases) {
        detector.ClearRegisters();
        AddBreed(1);
        const auto track = AddTrack(breedID, cls, input, op, testing);
        log->ClearRecords();
        detector.Scan(-1);
        EXPECT_EQ(track->Score(), -1) << testing;
        ASSERT_FALSE(Errors().empty());
        const std::wstring traced = breedID == 1 ? testing : L"";
        const std::wstring expected = L"Quorvex[clsDetector] (Scan)\t" + traced + L"\t" + base::DecStr(number) + L"\t";
        EXPECT_EQ(Errors().back().rfind(expected, 0), 0u) << testing::PrintToString(Errors().back());
    }
}

}  // namespace
}  // namespace detect_test
