#include "detect/clsTracks.h"

#include <algorithm>

#include "base/Text.h"
#include "base/VbError.h"

void clsTracks::Add(std::shared_ptr<clsTrack> Item, std::wstring_view Key, int32_t Before, int32_t After) {
    size_t position = mcolItems.size();
    std::wstring folded;
    if (!Key.empty()) {
        if (Before != -1 && After != -1) base::Raise(base::vbErrInvalidArgument);
        folded = base::UCase(Key);
        if (std::find(mcolKeys.begin(), mcolKeys.end(), folded) != mcolKeys.end()) {
            base::Raise(base::vbErrDuplicateKey);
        }
        if (Before != -1) position = CheckedIndex(Before);
        else if (After != -1) position = CheckedIndex(After) + 1;
    }
    mcolItems.insert(mcolItems.begin() + static_cast<std::ptrdiff_t>(position), std::move(Item));
    mcolKeys.insert(mcolKeys.begin() + static_cast<std::ptrdiff_t>(position), std::move(folded));
}

void clsTracks::Remove(int32_t Index) {
    const size_t i = CheckedIndex(Index);
    mcolItems.erase(mcolItems.begin() + static_cast<std::ptrdiff_t>(i));
    mcolKeys.erase(mcolKeys.begin() + static_cast<std::ptrdiff_t>(i));
}

const std::shared_ptr<clsTrack>& clsTracks::Item(int32_t Index) const { return mcolItems[CheckedIndex(Index)]; }

std::vector<std::shared_ptr<clsTrack>> clsTracks::NewEnum() const { return mcolItems; }

size_t clsTracks::CheckedIndex(int32_t Index) const {
    if (Index < 1 || Index > Count()) base::Raise(base::vbErrSubscript);
    return static_cast<size_t>(Index - 1);
}
