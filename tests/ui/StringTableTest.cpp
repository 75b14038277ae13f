#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/CodePage.h"
#include "ui/StringTable.h"

namespace {

// The table as the product's texts are written (a UTF-8 file, "id<TAB>text"
// a line, so that the check does not share the table's own wide literals):
// every id, no other.
TEST(StringTableTest, EveryTextIsExactAndNoOtherIdExists) {
    std::ifstream golden(QUORVEX_TEST_DATA "/ui/StringTable.txt", std::ios::binary);
    ASSERT_TRUE(golden) << "golden file missing";
    std::vector<int32_t> ids;
    for (std::string line; std::getline(golden, line);) {
        const auto tab = line.find('\t');
        const int32_t id = std::stoi(line.substr(0, tab));
        EXPECT_EQ(ui::GetString(id), base::Utf8ToWide(line.substr(tab + 1))) << id;
        ids.push_back(id);
    }
    std::vector<int32_t> tableIds;
    for (const auto& entry : ui::StringTableEntries()) tableIds.push_back(entry.ID);
    EXPECT_EQ(tableIds, ids);
}

TEST(StringTableTest, UnknownIdsGiveEmptyText) {
    for (int32_t id : {-1, 9, 106, 118, 503}) EXPECT_EQ(ui::GetString(id), L"") << id;
}

TEST(StringTableTest, FormatStringFillsByPosition) {
    EXPECT_EQ(ui::FormatString(L"{1}-{0}", L"a", L"b"), L"b-a");
    EXPECT_EQ(ui::FormatString(L"{1}-{0}"), L"{1}-{0}");
    EXPECT_EQ(ui::FormatString(L"{0}{0}{2}", 7), L"77{2}");
    EXPECT_EQ(ui::FormatString(L"{0}", -12), L"-12");
    EXPECT_EQ(ui::FormatString(L"{ 0}{00}", L"x"), L"{ 0}{00}");
    // Each placeholder is filled in turn, so a value may carry a later one.
    EXPECT_EQ(ui::FormatString(L"{0}", L"{1}", L"z"), L"z");
    EXPECT_EQ(ui::FormatString(L"{10}{1}", 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, L"ten"), L"ten1");
    EXPECT_EQ(ui::GetStringFormat(8, 1, 0, 4), L"v 1.0.4");
}

}  // namespace
