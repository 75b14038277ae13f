#include "base/TestSupport.h"
#include "detect/clsBreed.h"
#include "detect/clsTrack.h"
#include "detect/clsTracks.h"

namespace {

using test_support::ErrorNumber;

TEST(clsBreed, CountingVerdictsAndFilter) {
    clsBreed breed;
    EXPECT_TRUE(breed.IsFound() && breed.IsScaned()) << "a new breed: 0 >= 0 and 0 = 0";
    breed.Proof(3);
    breed.TrackCount(5);
    for (int32_t score : {1, 1, 0, 2, -1}) breed.TrackAdd(score);
    EXPECT_EQ(breed.Track(), 5);
    EXPECT_EQ(breed.Score(), 2) << "only exactly 1 is a hit";
    EXPECT_TRUE(breed.IsScaned());
    EXPECT_FALSE(breed.IsFound());
    breed.Proof(2);
    EXPECT_TRUE(breed.IsFound());
    for (int i = 0; i < 32770; ++i) breed.TrackAdd(1);
    EXPECT_EQ(breed.Track(), 32767) << "counters stop instead of overflowing";
    EXPECT_EQ(breed.Score(), 32767);
    EXPECT_FALSE(breed.IsScaned());
    breed.TrackClear();
    EXPECT_EQ(breed.Track() + breed.Score(), 0);

    breed.Filter(32767);
    EXPECT_EQ(ErrorNumber([&] { breed.Filter(32768); }), base::vbErrOverflow);
    EXPECT_EQ(ErrorNumber([&] { breed.Filter(-32769); }), base::vbErrOverflow);
    EXPECT_EQ(breed.Filter(), 32767) << "a failed set keeps the old value";
}

std::wstring ListID(std::wstring_view cls, std::wstring_view input) {
    clsTrack track;
    track.Class(cls);
    track.InputValue(input);
    return track.EnumListID();
}

TEST(clsTrack, EnumListIDIsTheChecksumOfClassAndInput) {
    EXPECT_EQ(ListID(L"a", L""), L"780");
    EXPECT_EQ(ListID(L"", L"abc"), L"5045");
    EXPECT_EQ(ListID(L"registry", L""), L"47809");
    EXPECT_EQ(ListID(L"registr", L"Y"), L"47809") << "class and input are one text";
    EXPECT_NE(ListID(L"", L"ABC"), L"5045") << "letter case of the input counts";
    // Ä is 0xC4 in the Central and Western European code pages: it enters as D.
    EXPECT_EQ(ListID(L"", L"\u00C4x"), ListID(L"", L"Dx"));
    const std::wstring pair{L'x', wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(ListID(L"", pair), ListID(L"", L"x?")) << "a surrogate pair enters once, as ?";

    clsTrack track;
    EXPECT_EQ(track.EnumListID(), L"") << "never computed";
    track.InputValue(L"x");
    track.InputValue(L"");
    EXPECT_EQ(track.EnumListID(), L"0") << "the empty text checksums to 0";
}

TEST(clsTracks, PositionsKeysAndErrors) {
    clsTracks tracks;
    auto a = std::make_shared<clsTrack>();
    auto b = std::make_shared<clsTrack>();
    tracks.Add(a);
    tracks.Add(a);
    tracks.Add(b, L"key");
    EXPECT_EQ(ErrorNumber([&] { tracks.Add(b, L"KEY"); }), base::vbErrDuplicateKey);
    tracks.Add(b, L"other", 1);
    EXPECT_EQ(ErrorNumber([&] { tracks.Add(b, L"third", 1, 2); }), base::vbErrInvalidArgument);
    tracks.Add(b, L"", 1, 2);
    EXPECT_EQ(tracks.NewEnum(), (std::vector<std::shared_ptr<clsTrack>>{b, a, a, b, b}));
    EXPECT_EQ(ErrorNumber([&] { tracks.Item(0); }), base::vbErrSubscript);
    EXPECT_EQ(ErrorNumber([&] { tracks.Item(6); }), base::vbErrSubscript);
    tracks.Remove(1);
    EXPECT_EQ(tracks.Item(1), a);
    EXPECT_EQ(tracks.Count(), 4);
}

}  // namespace
