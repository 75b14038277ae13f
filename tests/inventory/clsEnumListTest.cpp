#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/TestSupport.h"
#include "fakes/RecordingLog.h"
#include "inventory/clsEnumList.h"
#include "inventory/clsEnumLists.h"

namespace {

constexpr int32_t kStep = 65535;

// Each row appends blocks of the given sizes to a fresh list: {chars, length, capacity} after each.
// Every block starts with a NUL, which the text keeps, trimmed or not.
TEST(ClsEnumList, GrowthPolicySizesAndNulCharacters) {
    const std::vector<std::vector<std::array<int32_t, 3>>> cases = {
        {{4, 4, kStep}},
        {{65535, 65535, kStep}, {1, 65536, 2 * kStep}},
        {{65536, 65536, 65536}, {1, 65537, 65536 + kStep}},
        {{10, 10, kStep}, {131060, 131070, 2 * kStep}},
        {{10, 10, kStep}, {131061, 131071, 131071}}};
    for (size_t i = 0; i < cases.size(); ++i) {
        clsEnumList list;
        std::wstring expected;
        for (const auto& [chars, length, capacity] : cases[i]) {
            std::wstring text(static_cast<size_t>(chars), static_cast<wchar_t>(L'a' + expected.size() % 7));
            text[0] = L'\0';
            list.AppendToBuffer(text, 1);
            expected += text;
            EXPECT_EQ(list.Length(), length) << "case " << i;
            EXPECT_EQ(list.Capacity(), capacity) << "case " << i;
        }
        EXPECT_EQ(list.Text(), expected) << "case " << i;
    }
}

TEST(ClsEnumList, StartPositionCutsTheFront) {
    testing_support::ScopedRecordingLog log;
    clsEnumList list;
    for (const auto& [value, start] : {std::pair<const wchar_t*, int32_t>{L"C:\\R\\x\\y", 5}, {L"ab", 0},
                                       {L"cd", -7}, {L"xyz", 3}, {L"xyz", 4}, {L"xyz", 5}}) {
        list.AppendToBuffer(value, start);
    }
    EXPECT_EQ(list.Text(), L"\\x\\yabcdz");
    EXPECT_EQ(list.Capacity(), kStep);
    ASSERT_EQ(log->events.size(), 1u) << "only the start beyond the text is an error";
    EXPECT_EQ(log->events[0].type, mdlLog::ERRLOG);
    EXPECT_EQ(log->events[0].text.rfind(L"Quorvex[clsEnumList] (AppendToBuffer)\t\t5\t", 0), 0u);
}

TEST(ClsEnumList, AllockBufferOnlyGrowsAndDisposeEmpties) {
    clsEnumList list;
    EXPECT_EQ(list.AllockBuffer(100), 1);
    for (int32_t smaller : {50, 100, -1}) EXPECT_EQ(list.AllockBuffer(smaller), 0);
    list.AppendToBuffer(std::wstring(60, L'x'), 1);
    EXPECT_EQ(list.Capacity(), 100) << "fits the allocated room";
    list.AppendToBuffer(std::wstring(60, L'x'), 1);
    EXPECT_EQ(list.Capacity(), 100 + kStep);
    list.Dispose();
    EXPECT_EQ(list.Length() + list.Capacity(), 0);
    list.AppendToBuffer(L"d", 1);
    EXPECT_EQ(list.Text(), L"d");
    EXPECT_EQ(list.Capacity(), kStep);
}

class ClsEnumLists : public ::testing::Test {
protected:
    void Add(std::wstring_view name, std::wstring_view key, int32_t before = -1, int32_t after = -1) {
        auto list = std::make_shared<clsEnumList>();
        list->Name(name);
        lists.Add(list, key, before, after);
    }
    std::wstring Names() const {
        std::wstring names;
        for (const auto& list : lists.NewEnum()) names += list->Name();
        return names;
    }
    clsEnumLists lists;
};

TEST_F(ClsEnumLists, KeysPositionsAndErrors) {
    Add(L"a", L"abč");
    Add(L"b", L"2", -1, 1);  // After alone is not used
    Add(L"c", L"3", 1);
    Add(L"d", L"4", 3, -1);
    Add(L"e", L"", 5, 7);  // no key: positions ignored, cannot be found
    EXPECT_EQ(Names(), L"cadbe");
    EXPECT_EQ(lists.Item(L"ABČ")->Name(), L"a");
    EXPECT_EQ(lists.Item(L""), nullptr);
    EXPECT_EQ(lists.Item(L"5"), nullptr);
    EXPECT_EQ(test_support::ErrorNumber([&] { Add(L"x", L"AbČ"); }), base::vbErrDuplicateKey);
    for (auto [before, after] : {std::pair{1, 2}, {9, -1}, {0, -1}}) {
        EXPECT_EQ(test_support::ErrorNumber([&] { Add(L"x", L"5", before, after); }), base::vbErrInvalidArgument);
    }
    EXPECT_EQ(lists.Count(), 5);
}

TEST_F(ClsEnumLists, RemoveAndClear) {
    Add(L"a", L"k1");
    Add(L"b", L"k2");
    const std::weak_ptr<clsEnumList> watched = lists.Item(L"k1");
    for (const wchar_t* key : {L"missing", L"", L"K2"}) lists.Remove(key);
    EXPECT_EQ(Names(), L"a");
    Add(L"b2", L"k2");  // the key is free again
    EXPECT_FALSE(watched.expired()) << "the collection keeps its lists alive";
    lists.Clear();
    EXPECT_EQ(lists.Count(), 0);
    EXPECT_TRUE(watched.expired()) << "Clear releases the lists";
}

}  // namespace
