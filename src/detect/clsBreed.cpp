#include "detect/clsBreed.h"

#include <limits>

#include "base/VbError.h"

void clsBreed::TrackClear() noexcept {
    mintScore = 0;
    mintTrack = 0;
}

void clsBreed::TrackAdd(int32_t lngScore) noexcept {
    constexpr int16_t kMax = std::numeric_limits<int16_t>::max();
    if (mintTrack < kMax) ++mintTrack;
    if (lngScore == 1 && mintScore < kMax) ++mintScore;
}

void clsBreed::Filter(int32_t lngFilter) {
    if (lngFilter < std::numeric_limits<int16_t>::min() || lngFilter > std::numeric_limits<int16_t>::max()) {
        base::Raise(base::vbErrOverflow);
    }
    mintFilter = static_cast<int16_t>(lngFilter);
}
