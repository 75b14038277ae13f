#pragma once
// Record types shared by the facade, the configuration and the writer.

#include <cstdint>

namespace mdlLog {

enum eRecType : int32_t {
    InfoLog = 0,
    SysLog = 1,
    ERRLOG = 2,
    DebugLog = 3,
    Post = 4,
    Perf_I = 5,
    Perf_II = 6,
    Perf_III = 7,
    Perf_SQL = 8,
};

// -1 as a record type means every type where an operation accepts it.
inline constexpr int32_t kAllRecTypes = -1;

}  // namespace mdlLog
