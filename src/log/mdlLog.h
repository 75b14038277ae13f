#pragma once
// The trace facade: the one way every module writes diagnostics. It never
// raises, and does nothing (returning false) until a writer is attached.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "log/LogRecType.h"
#include "log/LogValue.h"

class clsLog;

namespace mdlLog {

// The program's version as the header record shows it.
struct ProgramVersion {
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
    std::wstring Comments;
};
// The version of this build; a test may put another in its place.
ProgramVersion GetProgramVersion();
void SetProgramVersion(const ProgramVersion& version);

// Attaches objLog (the facade keeps it alive) under strComponentName; none
// detaches. The first attach writes the version header.
bool LogInit(std::shared_ptr<clsLog> objLog, std::wstring_view strComponentName);
bool LogIsReady() noexcept;
bool LogEvent(std::wstring_view strWhere, std::wstring_view strText, int32_t eRecType) noexcept;
bool LogDebugValues(std::wstring_view strWhere, const LogValues& vParams) noexcept;
// Writes an ERRLOG record about the error being handled (number 0 and empty
// texts when called outside an error handler).
bool LogError(std::wstring_view strWhere, std::wstring_view strText, std::wstring_view strExtra) noexcept;

// A debug record of the caller's values, each shown by its kind.
template <typename... Args>
bool LogDebug(std::wstring_view strWhere, const Args&... args) noexcept {
    try {
        if (!LogIsReady()) return false;
        return LogDebugValues(strWhere, LogValues{ToLogValue(args)...});
    } catch (...) {
        return false;
    }
}

}  // namespace mdlLog
