#include <gtest/gtest.h>

#include "ui/clsUserInfoList.h"

namespace {

std::shared_ptr<clsUserInfo> Record(std::wstring_view strName, int32_t lngID = 0) {
    auto item = std::make_shared<clsUserInfo>();
    item->Fill(strName, L"about " + std::wstring(strName), L"http://host/" + std::wstring(strName));
    item->ID(lngID);
    item->Text(L"       " + std::wstring(strName));
    return item;
}

std::vector<int32_t> Ids(const clsUserInfoList& list) {
    std::vector<int32_t> ids;
    for (const auto& item : list) ids.push_back(item->ID());
    return ids;
}

TEST(clsUserInfoTest, URLTitle) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"HTTP://host/help/fw.htm", L"fw.htm"},
        {L"http://host/help/", L""},
        {L"C:\\Temp\\report.txt", L"report.txt"},
        {L"https://host/a/b.htm", L"https://host/a/b.htm"},
        {L"http:/", L"http:/"},
        {L"", L""},
    };
    for (const auto& [url, title] : cases) {
        clsUserInfo item;
        item.URL(url);
        EXPECT_EQ(item.URLTitle(), title) << url;
    }
}

TEST(clsUserInfoTest, ToStringLayoutsAndFillResetsAllButTheCheck) {
    clsUserInfo item;
    item.Fill(L"Name", L"Desc", L"http://u");
    item.Text(L"  line");
    item.ID(12);
    item.Check(L"(3/5)");
    item.Filter(2);
    EXPECT_EQ(item.ToString(1),
              L"N\u00e1zev:    Name\r\nStatus:   (3/5)\r\nFiltr:   2\r\nPopis:    Desc\r\nURL:      http://u");
    EXPECT_EQ(item.ToString(), L"  line\r\n12 Name (3/5)\r\nDesc\r\nhttp://u");
    EXPECT_EQ(item.ToString(7), item.ToString(0));

    item.Fill(L"Scan");
    EXPECT_EQ(item.ToString(1), L"N\u00e1zev:    Scan\r\nStatus:   (3/5)\r\nFiltr:   0\r\nPopis:    \r\nURL:      ");
    EXPECT_EQ(item.Text(), L"Scan");
    EXPECT_EQ(item.ID(), 0);
}

TEST(clsUserInfoTest, UpdateCloneAndEquals) {
    auto a = Record(L"Alpha", 3);
    a->Check(L"(3/5)");
    a->Filter(1);
    clsUserInfo b;
    b.Update(*a);
    EXPECT_EQ(b.ToString(1) + b.ToString(0), a->ToString(1) + a->ToString(0));
    auto copy = a->Clone();
    EXPECT_NE(copy.get(), a.get());
    EXPECT_EQ(copy->ToString(1) + copy->ToString(0), a->ToString(1) + a->ToString(0));
    // Equal by name alone, and that exactly.
    b.URL(L"elsewhere");
    EXPECT_TRUE(a->Equals(b));
    b.Name(L"alpha");
    EXPECT_FALSE(a->Equals(b));
}

TEST(clsUserInfoListTest, KeysIgnoreCaseTheFirstItemStaysAndOrderIsKept) {
    clsUserInfoList list;
    auto first = Record(L"A", 1);
    EXPECT_EQ(list.Add(L"key", first), first);
    EXPECT_EQ(list.Add(L"KEY", Record(L"B", 2)), first);
    EXPECT_TRUE(list.Exist(L"Key"));
    EXPECT_EQ(list.Item(L"missing"), nullptr);
    for (int32_t id : {5, 3}) list.Add(std::to_wstring(id), Record(L"N" + std::to_wstring(id), id));
    EXPECT_EQ(list.ToString(), first->ToString(0) + L"\r\n\r\n" + list.Item(L"5")->ToString(0) + L"\r\n\r\n" +
                                   list.Item(L"3")->ToString(0) + L"\r\n\r\n");
    list.Remove(L"kEy");
    list.Remove(L"absent");
    // Setting an item replaces it in place, or adds it under a new key.
    auto replacement = Record(L"C", 7);
    list.Item(L"5", replacement);
    list.Item(L"9", Record(L"D", 9));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{7, 3, 9}));
    EXPECT_EQ(list.Item(L"5"), replacement);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ToString(), L"");
}

}  // namespace
