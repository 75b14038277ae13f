#include "inventory/clsEnumLists.h"

#include <algorithm>

#include "base/Text.h"
#include "base/VbError.h"

namespace {

std::wstring FoldKey(std::wstring_view strKey) { return base::UCase(strKey); }

}  // namespace

void clsEnumLists::Add(std::shared_ptr<clsEnumList> Item, std::wstring_view Key, int32_t Before, int32_t After) {
    if (Key.empty()) {
        mcolItems.push_back({std::wstring(), std::wstring(), std::move(Item)});
        return;
    }
    // Both positions given is what the collection refuses.
    if (Before != -1 && After != -1) base::Raise(base::vbErrInvalidArgument);
    if (Before != -1 && (Before < 1 || Before > Count())) base::Raise(base::vbErrInvalidArgument);
    std::wstring folded = FoldKey(Key);
    const bool taken = std::any_of(mcolItems.begin(), mcolItems.end(),
                                   [&](const Entry& entry) { return !entry.foldedKey.empty() && entry.foldedKey == folded; });
    if (taken) base::Raise(base::vbErrDuplicateKey);
    Entry entry{std::wstring(Key), std::move(folded), std::move(Item)};
    if (Before == -1) {
        mcolItems.push_back(std::move(entry));
    } else {
        mcolItems.insert(mcolItems.begin() + (Before - 1), std::move(entry));
    }
}

void clsEnumLists::Remove(std::wstring_view Index) {
    try {
        if (Index.empty()) return;
        const std::wstring folded = FoldKey(Index);
        const auto found = std::find_if(mcolItems.begin(), mcolItems.end(),
                                        [&](const Entry& entry) { return entry.foldedKey == folded; });
        if (found != mcolItems.end()) mcolItems.erase(found);
    } catch (...) {
    }
}

int32_t clsEnumLists::Count() const { return static_cast<int32_t>(mcolItems.size()); }

std::shared_ptr<clsEnumList> clsEnumLists::Item(std::wstring_view Index) const {
    try {
        if (Index.empty()) return nullptr;
        const std::wstring folded = FoldKey(Index);
        for (const Entry& entry : mcolItems) {
            if (entry.foldedKey == folded) return entry.list;
        }
    } catch (...) {
    }
    return nullptr;
}

void clsEnumLists::Clear() { mcolItems.clear(); }

std::vector<std::shared_ptr<clsEnumList>> clsEnumLists::NewEnum() const {
    std::vector<std::shared_ptr<clsEnumList>> lists;
    lists.reserve(mcolItems.size());
    for (const Entry& entry : mcolItems) lists.push_back(entry.list);
    return lists;
}
