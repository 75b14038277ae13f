#include "ui/clsUserInfoList.h"

#include "base/Text.h"

std::shared_ptr<clsUserInfo> clsUserInfoList::Add(std::wstring_view strKey, std::shared_ptr<clsUserInfo> objItem) {
    std::wstring key = base::UCase(strKey);
    auto found = mmapKeys.find(key);
    if (found != mmapKeys.end()) return *found->second;
    mcolItems.push_back(std::move(objItem));
    auto last = std::prev(mcolItems.end());
    mmapKeys.emplace(std::move(key), last);
    return *last;
}

std::shared_ptr<clsUserInfo> clsUserInfoList::Item(std::wstring_view strKey) const {
    auto found = mmapKeys.find(base::UCase(strKey));
    return found == mmapKeys.end() ? nullptr : *found->second;
}

void clsUserInfoList::Item(std::wstring_view strKey, std::shared_ptr<clsUserInfo> objItem) {
    auto found = mmapKeys.find(base::UCase(strKey));
    if (found == mmapKeys.end()) {
        Add(strKey, std::move(objItem));
        return;
    }
    *found->second = std::move(objItem);
}

bool clsUserInfoList::Exist(std::wstring_view strKey) const {
    return mmapKeys.find(base::UCase(strKey)) != mmapKeys.end();
}

void clsUserInfoList::Remove(std::wstring_view strKey) {
    auto found = mmapKeys.find(base::UCase(strKey));
    if (found == mmapKeys.end()) return;
    mcolItems.erase(found->second);
    mmapKeys.erase(found);
}

void clsUserInfoList::Clear() {
    mmapKeys.clear();
    while (!mcolItems.empty()) mcolItems.pop_back();
}

std::wstring clsUserInfoList::ToString() const {
    std::wstring result;
    for (const auto& item : mcolItems) {
        if (item) result += item->ToString(0);
        result += L"\r\n\r\n";
    }
    return result;
}
