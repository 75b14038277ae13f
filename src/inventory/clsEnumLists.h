#pragma once
// The detector's lists of one check, keyed by EnumListID (keys compare
// without regard to case; positions are 1-based in insertion order).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/clsEnumList.h"

class clsEnumLists {
public:
    // Raises 457 for a key already present; an empty key adds without key.
    // Before/After are 1-based positions, -1 = not given; both given raises 5.
    void Add(std::shared_ptr<clsEnumList> Item, std::wstring_view Key = {}, int32_t Before = -1, int32_t After = -1);
    void Remove(std::wstring_view Index);
    int32_t Count() const;
    // The list under the key; null when absent or the key is empty.
    std::shared_ptr<clsEnumList> Item(std::wstring_view Index) const;
    void Clear();
    // Lists in position order.
    std::vector<std::shared_ptr<clsEnumList>> NewEnum() const;

private:
    struct Entry {
        std::wstring key;       // as given
        std::wstring foldedKey; // case-folded, empty for none
        std::shared_ptr<clsEnumList> list;
    };
    std::vector<Entry> mcolItems;
};
