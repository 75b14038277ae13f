#include "log/LogValue.h"

#include <iterator>
#include <limits>

namespace mdlLog {

int32_t VarType(const LogValue& value) {
    // Codes in the order of the alternatives of LogValue.
    static constexpr int32_t kCodes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 11, 12, 13, 14, 17, 36, 8192, -1};
    static_assert(std::size(kCodes) == std::variant_size_v<LogValue>);
    return kCodes[value.index()];
}

LogValue ToLogValue(int64_t value) {
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max()) {
        return static_cast<int32_t>(value);
    }
    return static_cast<double>(value);
}

LogValue ToLogValue(uint64_t value) {
    if (value <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return static_cast<int32_t>(value);
    return static_cast<double>(value);
}

}  // namespace mdlLog
