#pragma once
// The log writer: a table of components, each with an output state per
// record type (from log.ini through clsLogCfg) and its open performance
// measurements; dated log files named by channel; one record line per record,
// appended to a file opened and closed for that record, and optionally shown
// in a message box. Only Enable (read) raises errors to its caller; every
// writing operation catches at its boundary and answers false.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "log/clsLog.h"
#include "log/clsLogCfg.h"

class clsLogShare final : public clsLog {
public:
    // Error numbers of Enable.
    static constexpr int32_t kErrComponent = static_cast<int32_t>(0x80041801u);
    static constexpr int32_t kErrAllTypes = static_cast<int32_t>(0x80041802u);

    // The default component 0 is loaded from the marker files of the current
    // folder until Init names log.ini.
    clsLogShare();
    ~clsLogShare() override;
    clsLogShare(const clsLogShare&) = delete;
    clsLogShare& operator=(const clsLogShare&) = delete;

    std::wstring Name() override;
    // Bit 1: date in the file name; bit 2: channel in the file name.
    void FileNameMode(int32_t eMode) override;
    int32_t FileNameMode() override;
    std::wstring GetLogFileName(int32_t eType) override;
    void Enable(int32_t eRecType, std::wstring_view strComponentName, int32_t eState) override;
    int32_t Enable(int32_t eRecType, std::wstring_view strComponentName) override;
    // Stored with a trailing separator ("." and the separator when empty).
    void Directory(std::wstring_view strDirectory) override;
    std::wstring Directory() override;
    void FileNamePrefix(std::wstring_view strFileNamePrefix) override;
    std::wstring FileNamePrefix() override;
    void FileNameExtension(std::wstring_view strFileNameExt) override;
    std::wstring FileNameExtension() override;
    bool SetEvent(std::wstring_view strText, int32_t eRecType, int32_t lngComponentID) override;
    bool SetDebug(std::wstring_view strText, const mdlLog::LogValues& vParams, int32_t lngComponentID) override;
    // Deletes the files of the directory whose name ends in a date (yymmdd)
    // before today minus lngDays; eType does not narrow the selection.
    bool DeleteOldLogs(int32_t lngDays, int32_t eType) override;
    bool IsPerfOpen(std::wstring_view strPerfID, int32_t lngComponentID) override;
    bool StartPerf(std::wstring_view strPerfID, std::wstring_view strDescription, int32_t eRecType,
                   int32_t lngComponentID) override;
    // An empty strPerfID stops every open measurement of the component.
    bool StopPerf(std::wstring_view strPerfID, int32_t lngComponentID) override;
    // Names log.ini and reloads every component (open measurements are dropped).
    bool Init(std::wstring_view strINIFile) override;
    int32_t GetComponentId(std::wstring_view strComponentName) override;

    // Slots in use from index 0 (free ones between them included); -1 for an
    // unknown component. For diagnostics.
    int32_t PerfSlotCount(int32_t lngComponentID) const;

private:
    static constexpr int32_t kRecTypeCount = 9;
    static constexpr int32_t kSlotStep = 256;

    struct PerfSlot {
        int32_t lngComponentID = -1;  // -1: free
        std::wstring strPerfID;
        std::wstring strDescription;
        int64_t curStartTicks = 0;
        int32_t eRecType = 0;
    };

    struct LogComponent {
        std::wstring strName;
        std::array<int32_t, kRecTypeCount> alngStates{};
        std::vector<PerfSlot> aPerfSlots;
        int32_t lngSlotCapacity = 0;
        int32_t lngSlotCount = 0;
    };

    void InitComponents();
    bool LoadComponentSettings(LogComponent& objComponent);
    void SetComponentEnable(LogComponent& objComponent, int32_t eRecType, int32_t eState);
    static std::wstring GetChannelName(int32_t eRecType);
    bool ValidComponent(int32_t lngComponentID) const;

    // Records.
    static std::wstring GetRecTypeLabel(int32_t eRecType);
    static std::wstring GetTimeStamp();
    static std::wstring MaskHexValue(std::wstring_view strValue, size_t lngMinLen, size_t lngMaxLen);
    static bool AppendRecord(const std::wstring& strFile, std::wstring_view strLine);

    // Performance measurements.
    static std::wstring GetPerfFinishedText(const PerfSlot& objSlot);
    static void ReleasePerfSlot(LogComponent& objComponent, int32_t lngIndex);
    bool StopPerfSlot(int32_t lngComponentID, int32_t lngIndex);

    std::vector<LogComponent> mComponents;
    std::wstring mstrDirectory;
    std::unique_ptr<clsLogCfg> mobjCfg;
    int32_t mlngFileNameMode = 3;
    std::wstring mstrFileNamePrefix;
    std::wstring mstrFileNameExt = L"TXT";
    int64_t mcurStartTicks = 0;
};
