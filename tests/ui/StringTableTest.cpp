#include <gtest/gtest.h>

#include <vector>

#include "base/CodePage.h"
#include "ui/StringTable.h"

namespace {

// The table as the product's texts are written (UTF-8 here, so that the
// check does not share the table's own wide literals): every id, no other.
TEST(StringTableTest, EveryTextIsExactAndNoOtherIdExists) {
    const struct {
        int32_t id;
        const char* utf8;
    } expected[] = {
        {0, " "},
        {1, "Detekce znamých firewallů"},
        {2, "Kontrola komunikace se servery Lunerní banky"},
        {3, "Kontrola ...."},
        {4, "&START"},
        {5, "&REPORT"},
        {6, "&KONEC"},
        {7, "&STORNO"},
        {8, "v {0}.{1}.{2}"},
        {100, "=== CONTROL ==="},
        {101, "Detekce problémů s komunikací"},
        {102, "Detekci spustíte tlačítkem {0}"},
        {103, "Detekce"},
        {104, "Uživatel stornoval akci"},
        {105, "Detekce dokončena"},
        {107, "(detaily zobrazíte kliknutím na červeně označenou položku výše)"},
        {108, "Pro vybranou položku není dostupný žádný návod."},
        {109, "Probíhá detekce {0}"},
        {110, "       {0}"},
        {111, "Kliknutím na položku získáte bližší info níže"},
        {112, "       Detekován {0}"},
        {113, "       Nedostupné {0}"},
        {114, "Nebyl detekován žádný firewall"},
        {115, "Nebyl detekován žádný problém v komunikaci se servery Lunerní banky"},
        {116, "Detekován firewall v počtu: {0}"},
        {117, "Detekován problém s komunikací v počtu: {0}"},
        {500, "=== MSGBOX ==="},
        {501, "Není vybrán žádný typ kontroly."},
        {502, "Odkaz se nepodařilo otevřít."},
    };
    std::vector<int32_t> ids;
    for (const auto& e : expected) {
        EXPECT_EQ(ui::GetString(e.id), base::Utf8ToWide(e.utf8)) << e.id;
        ids.push_back(e.id);
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
}

TEST(StringTableTest, GetStringFormatFillsTheTableText) {
    EXPECT_EQ(ui::GetStringFormat(116, 3), base::Utf8ToWide("Detekov\xC3\xA1n firewall v po\xC4\x8Dtu: 3"));
    EXPECT_EQ(ui::GetStringFormat(8, 1, 0, 4), L"v 1.0.4");
    EXPECT_EQ(ui::GetStringFormat(112, L"X"), base::Utf8ToWide("       Detekov\xC3\xA1n X"));
}

}  // namespace
