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

TEST(clsUserInfoListTest, KeysIgnoreCaseTheFirstItemStaysAndOrderIsKept) {
    clsUserInfoList list;
    auto first = Record(L"A", 1);
    EXPECT_EQ(list.Add(L"key", first), first);
    EXPECT_EQ(list.Add(L"KEY", Record(L"B", 2)), first);
    for (int32_t id : {5, 3}) list.Add(std::to_wstring(id), Record(L"N", id));
    list.Remove(L"kEy");
    // Setting an item replaces it in place, or adds it under a new key.
    list.Item(L"5", Record(L"C", 7));
    list.Item(L"9", Record(L"D", 9));
    EXPECT_EQ(Ids(list), (std::vector<int32_t>{7, 3, 9}));
    EXPECT_EQ(list.Item(L"missing"), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
