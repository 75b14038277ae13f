#include "ui/StringTable.h"

#include <algorithm>
#include <array>

namespace ui {

namespace {

// Ids 100 and 500 only mark where the window's texts and the message texts
// begin; no code reads them.
constexpr std::array<StringEntry, 29> kStrings{{
    {0, L" "},
    {1, L"Detekce znamých firewallů"},
    {2, L"Kontrola komunikace se servery Lunerní banky"},
    {3, L"Kontrola ...."},
    {4, L"&START"},
    {5, L"&REPORT"},
    {6, L"&KONEC"},
    {7, L"&STORNO"},
    {8, L"v {0}.{1}.{2}"},
    {100, L"=== CONTROL ==="},
    {101, L"Detekce problémů s komunikací"},
    {102, L"Detekci spustíte tlačítkem {0}"},
    {103, L"Detekce"},
    {104, L"Uživatel stornoval akci"},
    {105, L"Detekce dokončena"},
    {107, L"(detaily zobrazíte kliknutím na červeně označenou položku výše)"},
    {108, L"Pro vybranou položku není dostupný žádný návod."},
    {109, L"Probíhá detekce {0}"},
    {110, L"       {0}"},
    {111, L"Kliknutím na položku získáte bližší info níže"},
    {112, L"       Detekován {0}"},
    {113, L"       Nedostupné {0}"},
    {114, L"Nebyl detekován žádný firewall"},
    {115, L"Nebyl detekován žádný problém v komunikaci se servery Lunerní banky"},
    {116, L"Detekován firewall v počtu: {0}"},
    {117, L"Detekován problém s komunikací v počtu: {0}"},
    {500, L"=== MSGBOX ==="},
    {501, L"Není vybrán žádný typ kontroly."},
    {502, L"Odkaz se nepodařilo otevřít."},
}};

}  // namespace

std::span<const StringEntry> StringTableEntries() {
    return kStrings;
}

std::wstring GetString(int32_t lngID) {
    const auto entries = StringTableEntries();
    const auto it = std::lower_bound(entries.begin(), entries.end(), lngID,
                                     [](const StringEntry& entry, int32_t id) { return entry.ID < id; });
    if (it == entries.end() || it->ID != lngID) return {};
    return std::wstring(it->Text);
}

std::wstring FormatStringValues(std::wstring_view strText, const std::vector<std::wstring>& values) {
    std::wstring result(strText);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::wstring placeholder = L"{" + base::DecStr(static_cast<int64_t>(i)) + L"}";
        std::wstring next;
        next.reserve(result.size());
        std::size_t from = 0;
        for (std::size_t at = result.find(placeholder); at != std::wstring::npos; at = result.find(placeholder, from)) {
            next.append(result, from, at - from);
            next += values[i];
            from = at + placeholder.size();
        }
        next.append(result, from, std::wstring::npos);
        result = std::move(next);
    }
    return result;
}

}  // namespace ui
