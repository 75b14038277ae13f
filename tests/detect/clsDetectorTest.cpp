#include <gtest/gtest.h>

#include "detect/DetectorFixture.h"

namespace detect_test {
namespace {

TEST_F(DetectorTest, AddBreedRejectsADuplicateID) {
    for (int32_t id : {1, 2, 3}) {
        auto breed = std::make_shared<clsBreed>();
        breed->ID(id);
        EXPECT_EQ(detector.AddBreed(breed), id);
    }
    log->ClearRecords();
    auto duplicate = std::make_shared<clsBreed>();
    duplicate->ID(2);
    EXPECT_EQ(detector.AddBreed(duplicate), -1);
    EXPECT_EQ(detector.BreedCount(), 3);
    EXPECT_NE(detector.Breed(2), duplicate);
    const auto& events = log->events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].text, L"Quorvex[clsDetector] (AddBreed)\tSTART:");
    EXPECT_EQ(events[1].type, mdlLog::ERRLOG);
    EXPECT_EQ(events[1].text.rfind(L"Quorvex[clsDetector] (AddBreed)\t\t457\t", 0), 0u);
    EXPECT_EQ(events[2].text, L"Quorvex[clsDetector] (AddBreed)\tEND: RETURN=-1");
    EXPECT_EQ(events[2].type, mdlLog::DebugLog);

    log->ClearRecords();
    EXPECT_EQ(detector.Breed(7), nullptr);
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].substr(Errors()[0].size() - 2), L"\t7") << "the id is the extra value";
}

TEST_F(DetectorTest, TracksArePositionedInRegistrationOrder) {
    AddBreed(1);
    AddBreed(2);
    auto t1 = AddTrack(1, L"FOO", L"", L"=", L"");
    auto t2 = AddTrack(2, L"FOO", L"", L"=", L"x");
    auto t3 = AddTrack(1, L"FOO", L"", L"=", L"x");
    EXPECT_EQ(detector.AddTrack(t1), 4) << "the same track may be registered again";
    EXPECT_EQ(detector.Track(2), t2);
    log->ClearRecords();
    EXPECT_EQ(detector.Track(0), nullptr);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(detector.Track(5), nullptr);
    EXPECT_EQ(detector.AddTrack(nullptr), -1);

    EXPECT_EQ(detector.Tracks(-1, -1), detector.Tracks(-1, -1)) << "the register itself";
    EXPECT_EQ(detector.Tracks(-1, -1)->Count(), 4);
    EXPECT_EQ(detector.Tracks(1, -1)->NewEnum(), (std::vector<std::shared_ptr<clsTrack>>{t1, t3, t1}));
    detector.Scan(-1);
    EXPECT_EQ(detector.Tracks(-1, 1)->NewEnum(), (std::vector<std::shared_ptr<clsTrack>>{t1, t1}));
    EXPECT_EQ(detector.Tracks(2, 0)->NewEnum(), (std::vector<std::shared_ptr<clsTrack>>{t2}));
    EXPECT_EQ(detector.Tracks(2, 1)->Count(), 0);
}

TEST_F(DetectorTest, ClearResetsOnlyTheCheck) {
    const auto breed = AddBreed(1);
    const auto track = AddTrack(1, L"FOO", L"", L"=", L"", 1);
    detector.Scan(-1);
    ASSERT_EQ(track->Score(), 1);
    ASSERT_FALSE(detector.Report().empty());
    detector.Cancel();
    detector.Clear();
    EXPECT_EQ(breed->Score(), 0);
    EXPECT_EQ(breed->Track(), 0);
    EXPECT_EQ(track->Score(), -1);
    EXPECT_EQ(track->OutputValue(), L"");
    EXPECT_EQ(detector.Report(), L"");
    EXPECT_EQ(detector.ReportCapacity(), 0);
    EXPECT_EQ(detector.EnumList(track->EnumListID()), nullptr);
    EXPECT_EQ(detector.BreedCount(), 1);
    EXPECT_TRUE(detector.IsCancelled()) << "Clear leaves the cancel flag alone";
    detector.Cancel(true);
    EXPECT_FALSE(detector.IsCancelled());
}

// The report keeps the classic sizes: steps of 65,535 characters, and one
// append larger than a step lands on the trimmed text.
TEST_F(DetectorTest, ReportCapacityFollowsTheClassicSteps) {
    AddBreed(1);
    const std::wstring big(140000, L'x');
    AddListTrack(1, big, L"=", L"", 128);
    detector.Scan(-1);
    const int64_t rule = 52;
    const int64_t title = static_cast<int64_t>(std::wstring(L"[DOWNLOADFILE].(http://lists.test/1)\r\n").size());
    const int64_t list = static_cast<int64_t>(big.size()) + 2;
    ASSERT_EQ(static_cast<int64_t>(detector.Report().size()), rule + title + list + rule);
    // First line: one step. The list: more than the capacity plus a step, so
    // capacity = text. Last line: one more step.
    EXPECT_EQ(detector.ReportCapacity(), rule + title + list + 65535);
}

TEST_F(DetectorTest, ReportKeepsNulCharactersOfTheText) {
    AddBreed(1);
    const std::wstring content(L"a\0b\r\n", 5);
    AddListTrack(1, content, L"=", L"", 128);
    detector.Scan(-1);
    EXPECT_NE(detector.Report().find(content + L"\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace detect_test
