#pragma once
// An ordered collection of tracks with optional unique keys (compared without
// regard to case). Positions are 1-based. It holds references: one track may
// be in several collections. Errors reach the caller: 9 for a bad position,
// 457 for a duplicate key, 5 when both Before and After are given.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "detect/clsTrack.h"

class clsTracks {
public:
    // Empty Key: appended without key, positions ignored. Before/After are
    // 1-based positions, -1 meaning not given.
    void Add(std::shared_ptr<clsTrack> Item, std::wstring_view Key = {}, int32_t Before = -1, int32_t After = -1);
    void Remove(int32_t Index);
    int32_t Count() const { return static_cast<int32_t>(mcolItems.size()); }
    const std::shared_ptr<clsTrack>& Item(int32_t Index) const;
    // The tracks in position order.
    std::vector<std::shared_ptr<clsTrack>> NewEnum() const;

    auto begin() const { return mcolItems.begin(); }
    auto end() const { return mcolItems.end(); }

private:
    size_t CheckedIndex(int32_t Index) const;

    std::vector<std::shared_ptr<clsTrack>> mcolItems;
    std::vector<std::wstring> mcolKeys;  // case-folded, parallel to mcolItems; empty for none
};
