#pragma once
// The log writer's interface, as the trace facade and the start-up see it.
// Operations are listed in their slot order; optional arguments have no
// defaults here because every caller passes them.

#include <cstdint>
#include <string>
#include <string_view>

#include "log/LogRecType.h"
#include "log/LogValue.h"

class clsLog {
public:
    virtual ~clsLog() = default;

    virtual std::wstring Name() = 0;
    virtual void FileNameMode(int32_t eMode) = 0;
    virtual int32_t FileNameMode() = 0;
    virtual std::wstring GetLogFileName(int32_t eType) = 0;
    // eRecType -1 = every type; an empty component name = every component.
    virtual void Enable(int32_t eRecType, std::wstring_view strComponentName, int32_t eState) = 0;
    // Raises 0x80041802 for eRecType -1, 0x80041801 for a component that
    // cannot be registered, 9 for a type outside 0 to 8.
    virtual int32_t Enable(int32_t eRecType, std::wstring_view strComponentName) = 0;
    virtual void Directory(std::wstring_view strDirectory) = 0;
    virtual std::wstring Directory() = 0;
    virtual void FileNamePrefix(std::wstring_view strFileNamePrefix) = 0;
    virtual std::wstring FileNamePrefix() = 0;
    virtual void FileNameExtension(std::wstring_view strFileNameExt) = 0;
    virtual std::wstring FileNameExtension() = 0;
    virtual bool SetEvent(std::wstring_view strText, int32_t eRecType, int32_t lngComponentID) = 0;
    virtual bool SetDebug(std::wstring_view strText, const mdlLog::LogValues& vParams, int32_t lngComponentID) = 0;
    virtual bool DeleteOldLogs(int32_t lngDays, int32_t eType) = 0;
    virtual bool IsPerfOpen(std::wstring_view strPerfID, int32_t lngComponentID) = 0;
    virtual bool StartPerf(std::wstring_view strPerfID, std::wstring_view strDescription, int32_t eRecType,
                           int32_t lngComponentID) = 0;
    virtual bool StopPerf(std::wstring_view strPerfID, int32_t lngComponentID) = 0;
    virtual bool Init(std::wstring_view strINIFile) = 0;
    virtual int32_t GetComponentId(std::wstring_view strComponentName) = 0;
};
