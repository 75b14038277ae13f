#pragma once
// The records behind the result list's lines, keyed by text (case-insensitive)
// and kept in insertion order.

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ui/clsUserInfo.h"

class clsUserInfoList {
public:
    using Items = std::list<std::shared_ptr<clsUserInfo>>;

    // Stores objItem under strKey unless the key is taken; returns the item
    // held under strKey afterwards.
    std::shared_ptr<clsUserInfo> Add(std::wstring_view strKey, std::shared_ptr<clsUserInfo> objItem);
    int32_t Count() const { return static_cast<int32_t>(mcolItems.size()); }
    // Null when the key is absent.
    std::shared_ptr<clsUserInfo> Item(std::wstring_view strKey) const;
    // Replaces the item under an existing key (in place), or adds it.
    void Item(std::wstring_view strKey, std::shared_ptr<clsUserInfo> objItem);
    bool Exist(std::wstring_view strKey) const;
    void Remove(std::wstring_view strKey);
    void Clear();
    // Insertion order.
    const Items& NewEnum() const { return mcolItems; }
    Items::const_iterator begin() const { return mcolItems.begin(); }
    Items::const_iterator end() const { return mcolItems.end(); }
    // Every item's ToString(0), each followed by two CR LF.
    std::wstring ToString() const;

private:
    Items mcolItems;
    std::unordered_map<std::wstring, Items::iterator> mmapKeys;  // by upper-cased key
};
