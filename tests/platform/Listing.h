#pragma once
// Folder listings through the seam, as the inventory makes them.

#include <string>
#include <vector>

#include "platform/Machine.h"

namespace testing_support {

struct Listed {
    std::wstring name;
    uint32_t attributes;
};

// Every entry of one search in the order given, "." and ".." left out.
inline std::vector<Listed> List(platform::FileSystem& files, const std::wstring& strPattern) {
    std::vector<Listed> listed;
    platform::FindEntry entry;
    auto search = files.FindFirst(strPattern, entry);
    if (!search) return listed;
    do {
        if (entry.Name != L"." && entry.Name != L"..") listed.push_back({entry.Name, entry.Attributes});
    } while (search->Next(entry));
    return listed;
}

}  // namespace testing_support
