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

TEST(clsUserInfoTest, URLTitle) {
    const struct {
        const wchar_t* url;
        const wchar_t* title;
    } cases[] = {
        {L"HTTP://host/help/fw.htm", L"fw.htm"},
        {L"http://host/help/", L""},
        {L"http://host", L"host"},
        {L"C:\\Temp\\report.txt", L"report.txt"},
        {L"plainword", L"plainword"},
        {L"", L""},
        {L"https://host/a/b.htm", L"https://host/a/b.htm"},
        {L"https://host\\x.htm", L"x.htm"},
        {L"/tmp/report.txt", L"/tmp/report.txt"},
        {L"http:/", L"http:/"},
    };
    for (const auto& c : cases) {
        clsUserInfo item;
        item.URL(c.url);
        EXPECT_EQ(item.URLTitle(), c.title) << c.url;
    }
}

TEST(clsUserInfoTest, FillResetsIdAndFilterButKeepsCheck) {
    clsUserInfo item;
    item.ID(9);
    item.Filter(2);
    item.Check(L"(1/2)");
    item.Description(L"old");
    item.Fill(L"Scan");
    EXPECT_EQ(item.Text(), L"Scan");
    EXPECT_EQ(item.Name(), L"Scan");
    EXPECT_EQ(item.Description(), L"");
    EXPECT_EQ(item.URL(), L"");
    EXPECT_EQ(item.ID(), 0);
    EXPECT_EQ(item.Filter(), 0);
    EXPECT_EQ(item.Check(), L"(1/2)");
}

TEST(clsUserInfoTest, UpdateCloneAndEquals) {
    auto a = Record(L"Alpha", 3);
    a->Check(L"(3/5)");
    a->Filter(1);
    clsUserInfo b;
    b.Update(*a);
    EXPECT_EQ(b.ToString(1), a->ToString(1));
    EXPECT_EQ(b.ToString(0), a->ToString(0));
    auto copy = a->Clone();
    EXPECT_NE(copy.get(), a.get());
    EXPECT_EQ(copy->ToString(0), a->ToString(0));
    EXPECT_TRUE(a->Equals(b));
    b.Name(L"alpha");
    EXPECT_FALSE(a->Equals(b));
    b.Name(L"Alpha");
    b.URL(L"elsewhere");
    EXPECT_TRUE(a->Equals(b));
}

TEST(clsUserInfoTest, ToStringLayouts) {
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
}

TEST(clsUserInfoListTest, AddKeepsTheFirstItemUnderAKeyIgnoringCase) {
    clsUserInfoList list;
    auto first = Record(L"A", 1);
    auto second = Record(L"B", 2);
    EXPECT_EQ(list.Add(L"key", first), first);
    EXPECT_EQ(list.Add(L"KEY", second), first);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Exist(L"Key"));
    EXPECT_FALSE(list.Exist(L"other"));
    EXPECT_EQ(list.Item(L"kEy"), first);
    EXPECT_EQ(list.Item(L"missing"), nullptr);
}

TEST(clsUserInfoListTest, RemoveClearAndOrder) {
    clsUserInfoList list;
    for (int32_t id : {5, 1, 3}) list.Add(std::to_wstring(id), Record(L"N" + std::to_wstring(id), id));
    list.Remove(L"1");
    list.Remove(L"absent");
    std::vector<int32_t> order;
    for (const auto& item : list) order.push_back(item->ID());
    EXPECT_EQ(order, (std::vector<int32_t>{5, 3}));
    list.Add(L"1", Record(L"N1", 1));
    EXPECT_EQ(list.NewEnum().back()->ID(), 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Clear();
    EXPECT_EQ(list.ToString(), L"");
}

TEST(clsUserInfoListTest, ToStringJoinsItemsWithTwoLineBreaks) {
    clsUserInfoList list;
    auto a = Record(L"A", 1);
    auto b = Record(L"B", 2);
    list.Add(L"1", a);
    list.Add(L"2", b);
    EXPECT_EQ(list.ToString(), a->ToString(0) + L"\r\n\r\n" + b->ToString(0) + L"\r\n\r\n");
}

TEST(clsUserInfoListTest, ItemSetterReplacesInPlaceOrAdds) {
    clsUserInfoList list;
    list.Add(L"1", Record(L"A", 1));
    list.Add(L"2", Record(L"B", 2));
    auto replacement = Record(L"C", 3);
    list.Item(L"1", replacement);
    list.Item(L"9", Record(L"D", 9));
    std::vector<std::wstring> names;
    for (const auto& item : list) names.push_back(item->Name());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"C", L"B", L"D"}));
    EXPECT_EQ(list.Item(L"1"), replacement);
}

}  // namespace
