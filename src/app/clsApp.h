#pragma once
// The application controller: settles the program's folders, starts logging,
// owns the detector, runs one check on request and writes report.txt. It
// talks to the window only through the Status event and its results.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "detect/clsDetector.h"
#include "platform/SystemInfo.h"

class clsApp {
public:
    // Status(lngType, strText, lngIndex, lngCount, lngID): 1 "Inicializace",
    // 2 "Scan", 3 a track about to be evaluated, 4 a track evaluated, 6 "Finish".
    using StatusHandler =
        std::function<void(int32_t lngType, const std::wstring& strText, int32_t lngIndex, int32_t lngCount, int32_t lngID)>;

    clsApp();
    ~clsApp();
    clsApp(const clsApp&) = delete;
    clsApp& operator=(const clsApp&) = delete;

    const std::wstring& AppPath() const { return mstrAppPath; }
    void AppPath(std::wstring_view strAppPath) { mstrAppPath = strAppPath; }
    const std::wstring& TempPath() const { return mstrTempPath; }
    void TempPath(std::wstring_view strTempPath) { mstrTempPath = strTempPath; }
    int32_t OSPlatformId() const { return static_cast<int32_t>(mudtOSVersion.PlatformId); }

    // The breed with that id, or none.
    std::shared_ptr<clsBreed> Bredd(int32_t lngID) const;
    // Without argument (or false) requests a cancel; true withdraws the request.
    void Cancel(bool blnClear = false);
    // Raises the Status event with exactly these values.
    void Status(int32_t lngType, std::wstring_view strText, int32_t lngIndex = 0, int32_t lngCount = 0,
                int32_t lngID = 0);
    // The window's listener for the Status event.
    void OnStatus(StatusHandler handler) { mStatusHandler = std::move(handler); }

    // Runs one check: 1 when it ran to its end, -1 when a cancel was requested
    // during it. Errors of the knowledge-base load reach the caller.
    int32_t Check(int32_t lngFilter);
    bool WriteToFile(std::wstring_view strFile, std::wstring_view strData, bool blnNew);
    // Whether the last Check wrote report.txt (an earlier check's report may
    // still be there when it did not).
    bool ReportWritten() const { return mblnReportWritten; }

    const clsDetector& Detector() const { return *mobjDetector; }

private:
    void StartLogging();
    int32_t Check_ReadData();
    void mobjDetector_Scan(int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID);
    std::wstring ReportHeader() const;

    std::wstring mstrAppPath;
    std::wstring mstrTempPath;
    bool mblnCancel = false;
    bool mblnReportWritten = false;
    platform::VersionInfo mudtOSVersion;
    std::unique_ptr<clsDetector> mobjDetector;
    StatusHandler mStatusHandler;
};
