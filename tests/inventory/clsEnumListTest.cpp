#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/VbError.h"
#include "fakes/RecordingLog.h"
#include "inventory/clsEnumList.h"
#include "inventory/clsEnumLists.h"

namespace {

using testing_support::ScopedRecordingLog;

constexpr int32_t kStep = 65535;

std::wstring Chars(size_t count, wchar_t ch = L'x') { return std::wstring(count, ch); }

// Each row appends to a fresh list in turn and checks the reported sizes.
TEST(ClsEnumList, GrowthPolicySizes) {
    struct Append {
        size_t chars;
        int32_t length;
        int32_t capacity;
    };
    struct Case {
        const char* name;
        std::vector<Append> appends;
    };
    const Case cases[] = {
        {"a short line opens one step", {{4, 4, kStep}}},
        {"exactly one step fills it", {{65535, 65535, kStep}, {1, 65536, 2 * kStep}}},
        {"one more than a step is taken as it is", {{65536, 65536, 65536}, {1, 65537, 65536 + kStep}}},
        {"a big append leaves no spare room", {{70000, 70000, 70000}, {10, 70010, 70000 + kStep}}},
        {"small appends after a step", {{65534, 65534, kStep}, {2, 65536, 2 * kStep}, {65534, 131070, 2 * kStep}}},
        {"a step-sized append onto spare room", {{10, 10, kStep}, {65535, 65545, 2 * kStep}}},
        {"a big append onto spare room trims it", {{10, 10, kStep}, {131061, 131071, 131071}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clsEnumList list;
        std::wstring expected;
        wchar_t ch = L'a';
        for (const Append& a : c.appends) {
            const std::wstring text = Chars(a.chars, ch++);
            list.AppendToBuffer(text, 1);
            expected += text;
            EXPECT_EQ(list.Length(), a.length);
            EXPECT_EQ(list.Capacity(), a.capacity);
        }
        EXPECT_EQ(list.Text(), expected);
    }
}

TEST(ClsEnumList, ManySmallAppendsKeepOrderAndStepCapacity) {
    clsEnumList list;
    std::wstring expected;
    for (int i = 0; i < 100000; ++i) {
        const std::wstring line = L"line" + std::to_wstring(i) + L"\r\n";
        list.AppendToBuffer(line, 1);
        expected += line;
    }
    ASSERT_EQ(list.Text(), expected);
    const int32_t length = static_cast<int32_t>(expected.size());
    EXPECT_EQ(list.Length(), length);
    EXPECT_EQ(list.Capacity(), (length + kStep - 1) / kStep * kStep);
}

TEST(ClsEnumList, StartPositionCutsTheFront) {
    struct Case {
        std::wstring value;
        int32_t start;
        std::wstring appended;
    };
    const Case cases[] = {
        {L"C:\\R\\x\\y", 5, L"\\x\\y"},
        {L"abc", 1, L"abc"},
        {L"abc", 0, L"abc"},
        {L"abc", -7, L"abc"},
        {L"abc", 3, L"c"},
        {L"abc", 4, L""},
    };
    for (const Case& c : cases) {
        clsEnumList list;
        list.AppendToBuffer(L"<", 1);
        list.AppendToBuffer(c.value, c.start);
        EXPECT_EQ(list.Text(), L"<" + c.appended) << c.value << " from " << c.start;
    }
}

TEST(ClsEnumList, StartBeyondTheTextIsTracedAndChangesNothing) {
    ScopedRecordingLog log;
    clsEnumList list;
    list.AppendToBuffer(L"ab", 1);
    list.AppendToBuffer(L"xyz", 5);
    EXPECT_EQ(list.Text(), L"ab");
    EXPECT_EQ(list.Capacity(), kStep);
    ASSERT_EQ(log->events.size(), 1u);
    EXPECT_EQ(log->events[0].type, mdlLog::ERRLOG);
    EXPECT_EQ(log->events[0].text.rfind(L"Quorvex[clsEnumList] (AppendToBuffer)\t\t5\t", 0), 0u) << log->events[0].text;
}

TEST(ClsEnumList, NulCharactersOfTheTextSurviveTrimming) {
    clsEnumList list;
    const std::wstring withNul(L"a\0b\r\n", 5);
    list.AppendToBuffer(withNul, 1);
    const std::wstring big = Chars(140000);  // beyond the room plus one step
    list.AppendToBuffer(big, 1);
    EXPECT_EQ(list.Text(), withNul + big);
    EXPECT_EQ(list.Length(), 140005);
    EXPECT_EQ(list.Capacity(), 140005);
}

TEST(ClsEnumList, AllockBufferOnlyGrows) {
    clsEnumList list;
    EXPECT_EQ(list.AllockBuffer(100), 1);
    EXPECT_TRUE(list.Text().empty());
    EXPECT_EQ(list.Capacity(), 100);
    EXPECT_EQ(list.AllockBuffer(50), 0);
    EXPECT_EQ(list.AllockBuffer(100), 0);
    EXPECT_EQ(list.AllockBuffer(-1), 0);
    EXPECT_EQ(list.Capacity(), 100);

    list.AppendToBuffer(Chars(60), 1);
    EXPECT_EQ(list.Capacity(), 100) << "fits the allocated room";
    list.AppendToBuffer(Chars(60), 1);
    EXPECT_EQ(list.Capacity(), 100 + kStep);
    EXPECT_EQ(list.Length(), 120);
}

TEST(ClsEnumList, DisposeEmptiesTheListAndItsRoom) {
    clsEnumList list;
    list.AppendToBuffer(L"abc\r\n", 1);
    list.Dispose();
    EXPECT_EQ(list.Length(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_TRUE(list.Text().empty());
    list.AppendToBuffer(L"d", 1);
    EXPECT_EQ(list.Text(), L"d");
    EXPECT_EQ(list.Capacity(), kStep);
}

// ---- the keyed collection --------------------------------------------------

int32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::VbError& e) {
        return e.Number();
    }
    return 0;
}

std::vector<std::wstring> Names(const clsEnumLists& lists) {
    std::vector<std::wstring> names;
    for (const auto& list : lists.NewEnum()) names.push_back(list->Name());
    return names;
}

std::shared_ptr<clsEnumList> Named(std::wstring_view name) {
    auto list = std::make_shared<clsEnumList>();
    list->Name(name);
    return list;
}

TEST(ClsEnumLists, KeysIgnoreCaseAndMustBeUnique) {
    clsEnumLists lists;
    EXPECT_EQ(lists.Item(L"123"), nullptr);
    auto a = Named(L"a");
    lists.Add(a, L"abc");
    lists.Add(Named(L"c"), L"č");
    EXPECT_EQ(lists.Item(L"ABC"), a);
    EXPECT_EQ(lists.Item(L"Č")->Name(), L"c");
    EXPECT_EQ(ErrorOf([&] { lists.Add(Named(L"x"), L"AbC"); }), base::vbErrDuplicateKey);
    EXPECT_EQ(ErrorOf([&] { lists.Add(Named(L"x"), L"Č"); }), base::vbErrDuplicateKey);
    EXPECT_EQ(lists.Count(), 2);
    EXPECT_EQ(lists.Item(L""), nullptr);
}

TEST(ClsEnumLists, ListsWithoutKeyCannotBeFound) {
    clsEnumLists lists;
    lists.Add(Named(L"a"));
    lists.Add(Named(L"b"), L"", 5, 7);  // positions ignored without a key
    EXPECT_EQ(lists.Count(), 2);
    EXPECT_EQ(lists.Item(L""), nullptr);
    EXPECT_EQ(Names(lists), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(ClsEnumLists, Positions) {
    clsEnumLists lists;
    lists.Add(Named(L"a"), L"1");
    lists.Add(Named(L"b"), L"2", -1, 1);  // After alone is not used
    lists.Add(Named(L"c"), L"3", 1);
    lists.Add(Named(L"d"), L"4", 3, -1);
    EXPECT_EQ(Names(lists), (std::vector<std::wstring>{L"c", L"a", L"d", L"b"}));
    EXPECT_EQ(ErrorOf([&] { lists.Add(Named(L"e"), L"5", 1, 2); }), base::vbErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { lists.Add(Named(L"e"), L"5", 9); }), base::vbErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { lists.Add(Named(L"e"), L"5", 0); }), base::vbErrInvalidArgument);
    EXPECT_EQ(lists.Count(), 4);
}

TEST(ClsEnumLists, RemoveAndClear) {
    clsEnumLists lists;
    std::weak_ptr<clsEnumList> watched;
    {
        auto a = Named(L"a");
        watched = a;
        lists.Add(a, L"k1");
    }
    lists.Add(Named(L"b"), L"k2");
    lists.Remove(L"missing");
    lists.Remove(L"");
    EXPECT_EQ(lists.Count(), 2);
    lists.Remove(L"K2");
    EXPECT_EQ(lists.Count(), 1);
    EXPECT_EQ(lists.Item(L"k2"), nullptr);
    lists.Add(Named(L"b2"), L"k2");  // the key is free again

    EXPECT_FALSE(watched.expired()) << "the collection keeps its lists alive";
    lists.Clear();
    EXPECT_EQ(lists.Count(), 0);
    EXPECT_EQ(lists.Item(L"k1"), nullptr);
    EXPECT_TRUE(watched.expired()) << "Clear releases the lists";
}

}  // namespace
