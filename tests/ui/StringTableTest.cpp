#include <gtest/gtest.h>

#include <set>

#include "base/CodePage.h"
#include "ui/StringTable.h"

namespace {

TEST(StringTableTest, TextsAreExactIncludingCzechLettersAndBlanks) {
    const struct {
        int32_t id;
        const char* utf8;
    } cases[] = {
        {0, " "},
        {1, "Detekce znam\xC3\xBD" "ch firewall\xC5\xAF"},
        {7, "&STORNO"},
        {104, "U\xC5\xBEivatel stornoval akci"},
        {107, "(detaily zobraz\xC3\xADte kliknut\xC3\xADm na \xC4\x8D" "erven\xC4\x9B ozna\xC4\x8D" "enou polo\xC5\xBEku v\xC3\xBD\xC5\xA1" "e)"},
        {110, "       {0}"},
        {113, "       Nedostupn\xC3\xA9 {0}"},
        {501, "Nen\xC3\xAD vybr\xC3\xA1n \xC5\xBE\xC3\xA1" "dn\xC3\xBD typ kontroly."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::GetString(c.id), base::Utf8ToWide(c.utf8)) << c.id;
    }
}

TEST(StringTableTest, UnknownIdsGiveEmptyText) {
    for (int32_t id : {-1, 9, 106, 118, 503}) EXPECT_EQ(ui::GetString(id), L"") << id;
}

TEST(StringTableTest, EntriesAreAscendingUniqueAndServeGetString) {
    const auto entries = ui::StringTableEntries();
    EXPECT_EQ(entries.size(), 29u);
    std::set<int32_t> seen;
    int32_t previous = -1;
    for (const auto& entry : entries) {
        EXPECT_GT(entry.ID, previous);
        previous = entry.ID;
        EXPECT_EQ(ui::GetString(entry.ID), entry.Text);
        seen.insert(entry.ID);
    }
    EXPECT_EQ(seen.count(106), 0u);
    EXPECT_EQ(seen.count(100), 1u);
    EXPECT_EQ(seen.count(500), 1u);
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
}

TEST(StringTableTest, GetStringFormatFillsTheTableText) {
    EXPECT_EQ(ui::GetStringFormat(116, 3), base::Utf8ToWide("Detekov\xC3\xA1n firewall v po\xC4\x8Dtu: 3"));
    EXPECT_EQ(ui::GetStringFormat(8, 1, 0, 4), L"v 1.0.4");
    EXPECT_EQ(ui::GetStringFormat(112, L"X"), base::Utf8ToWide("       Detekov\xC3\xA1n X"));
}

}  // namespace
