#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "base/VbError.h"
#include "detect/clsBreed.h"
#include "detect/clsTrack.h"
#include "detect/clsTracks.h"

namespace {

int32_t ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::VbError& e) {
        return e.Number();
    }
    return 0;
}

TEST(clsBreed, CountingAndVerdicts) {
    clsBreed breed;
    EXPECT_TRUE(breed.IsFound() && breed.IsScaned()) << "a new breed: 0 >= 0 and 0 = 0";
    breed.Proof(3);
    breed.TrackCount(5);
    for (int32_t score : {1, 1, 0, 2, -1}) breed.TrackAdd(score);
    EXPECT_EQ(breed.Track(), 5);
    EXPECT_EQ(breed.Score(), 2) << "only exactly 1 is a hit";
    EXPECT_TRUE(breed.IsScaned());
    EXPECT_FALSE(breed.IsFound());
    breed.Proof(-1);
    EXPECT_TRUE(breed.IsFound());
    for (int i = 0; i < 32770; ++i) breed.TrackAdd(1);
    EXPECT_EQ(breed.Track(), 32767) << "counters stop instead of overflowing";
    EXPECT_EQ(breed.Score(), 32767);
    breed.TrackClear();
    EXPECT_EQ(breed.Track() + breed.Score(), 0);
}

TEST(clsBreed, FilterIsSixteenBitsWithSign) {
    clsBreed breed;
    breed.Filter(-1);
    EXPECT_EQ(breed.Filter(), -1);
    breed.Filter(32767);
    EXPECT_EQ(ErrorNumberOf([&] { breed.Filter(32768); }), base::vbErrOverflow);
    EXPECT_EQ(ErrorNumberOf([&] { breed.Filter(-32769); }), base::vbErrOverflow);
    EXPECT_EQ(breed.Filter(), 32767) << "a failed set keeps the old value";
}

TEST(clsTrack, EnumListIDIsTheChecksumOfClassAndInput) {
    struct Case {
        const wchar_t* cls;
        const wchar_t* input;
        const wchar_t* expected;
    };
    for (const Case& c : {Case{L"a", L"", L"780"}, Case{L"", L"abc", L"5045"}, Case{L"registry", L"", L"47809"}}) {
        clsTrack track;
        track.Class(c.cls);
        track.InputValue(c.input);
        EXPECT_EQ(track.EnumListID(), c.expected) << testing::PrintToString(std::wstring(c.cls) + c.input);
    }
    clsTrack joined;  // class and input are one text: "REGISTR" + "Y" = "REGISTRY"
    joined.Class(L"registr");
    joined.InputValue(L"Y");
    EXPECT_EQ(joined.EnumListID(), L"47809");
    clsTrack emptied;
    emptied.InputValue(L"x");
    emptied.InputValue(L"");
    EXPECT_EQ(emptied.EnumListID(), L"0") << "the empty text checksums to 0";
    // Ä is 0xC4 in the Central and Western European code pages: it enters as D.
    clsTrack umlaut;
    umlaut.InputValue(L"\u00C4x");
    clsTrack plain;
    plain.InputValue(L"Dx");
    EXPECT_EQ(umlaut.EnumListID(), plain.EnumListID());
}

TEST(clsTrack, Normalisation) {
    clsTrack track;
    EXPECT_EQ(track.EnumListID(), L"") << "never computed";
    track.Class(L"registry čz");
    EXPECT_EQ(track.Class(), L"REGISTRY ČZ");
    track.InputValue(L"Abc");
    const std::wstring key = track.EnumListID();
    track.Class(L"ReGiStRy Čz");
    EXPECT_EQ(track.EnumListID(), key);
    track.InputValue(L"ABC");
    EXPECT_EQ(track.InputValue(), L"ABC");
    EXPECT_NE(track.EnumListID(), key) << "letter case of the input counts";
    track.Operator(L"!instr");
    EXPECT_EQ(track.Operator(), L"!INSTR");
}

TEST(clsTracks, PositionsKeysAndErrors) {
    clsTracks tracks;
    auto a = std::make_shared<clsTrack>();
    auto b = std::make_shared<clsTrack>();
    tracks.Add(a);
    tracks.Add(a);
    tracks.Add(b, L"key");
    EXPECT_EQ(ErrorNumberOf([&] { tracks.Add(b, L"KEY"); }), base::vbErrDuplicateKey);
    tracks.Add(b, L"other", 1);
    EXPECT_EQ(ErrorNumberOf([&] { tracks.Add(b, L"third", 1, 2); }), base::vbErrInvalidArgument);
    tracks.Add(b, L"", 1, 2);
    EXPECT_EQ(tracks.NewEnum(), (std::vector<std::shared_ptr<clsTrack>>{b, a, a, b, b}));
    EXPECT_EQ(ErrorNumberOf([&] { tracks.Item(0); }), base::vbErrSubscript);
    EXPECT_EQ(ErrorNumberOf([&] { tracks.Item(6); }), base::vbErrSubscript);
    tracks.Remove(1);
    EXPECT_EQ(tracks.Item(1), a);
    EXPECT_EQ(tracks.Count(), 4);
}

}  // namespace
