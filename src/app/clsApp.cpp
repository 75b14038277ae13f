#include "app/clsApp.h"

#include "base/IgnoreErrors.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "base/VbError.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

namespace {

const wchar_t kCrLf[] = L"\r\n";

// The service-pack text as the report shows it: blanks trimmed at both ends.
std::wstring TrimBlanks(std::wstring_view strText) { return base::Trim(base::CutAtNul(strText)); }

}  // namespace

clsApp::clsApp() {
    // Every step runs with errors ignored: a failing step is skipped.
    base::IgnoreErrors([&] {
        mstrAppPath = platform::Host().system->ProgramFolder();
        if (!mstrAppPath.empty() && mstrAppPath.back() == platform::PathSeparator()) mstrAppPath.pop_back();
    });
    base::IgnoreErrors([&] {
        mstrTempPath = mstrAppPath + platform::PathSep() + L"TEMP";
        platform::Host().files->CreateFolder(mstrTempPath);
    });
    StartLogging();
    base::IgnoreErrors([&] {
        mdlLog::LogEvent(L"[clsApp] (Class_Initialize)",
                         L"APP START\t" + base::DecStr(static_cast<int64_t>(platform::Host().system->InstanceHandle())),
                         mdlLog::SysLog);
    });
    base::IgnoreErrors([&] {
        // The record keeps its prepared contents when the query fails.
        mudtOSVersion = platform::VersionInfo{};
        mudtOSVersion.CSDVersion = std::wstring(128, L' ');
        platform::VersionInfo queried;
        if (platform::Host().system->GetVersion(queried)) {
            mudtOSVersion = queried;
        } else {
            mdlLog::LogEvent(L"[clsApp] (Class_Initialize)",
                             L"GetVersionEx fail\t" + base::DecStr(platform::Host().system->LastError()),
                             mdlLog::ERRLOG);
        }
    });
    mblnCancel = false;
    base::IgnoreErrors([&] {
        mobjDetector = std::make_unique<clsDetector>();
        mobjDetector->OnScan([this](int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID) {
            mobjDetector_Scan(lngType, lngIndex, lngCount, lngBreedID);
        });
    });
}

clsApp::~clsApp() {
    base::IgnoreErrors([&] {
        mobjDetector.reset();
        mdlLog::LogEvent(L"[clsApp] (Class_Terminate)", L"APP END", mdlLog::SysLog);
    });
}

std::shared_ptr<clsBreed> clsApp::Bredd(int32_t lngID) const {
    return mobjDetector ? mobjDetector->Breed(lngID) : nullptr;
}

void clsApp::Cancel(bool blnClear) {
    mblnCancel = !blnClear;
    if (mobjDetector) mobjDetector->Cancel(blnClear);
}

void clsApp::Status(int32_t lngType, std::wstring_view strText, int32_t lngIndex, int32_t lngCount, int32_t lngID) {
    if (mStatusHandler) mStatusHandler(lngType, std::wstring(strText), lngIndex, lngCount, lngID);
}

void clsApp::mobjDetector_Scan(int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID) {
    Status(lngType == 1 ? 3 : 4, L"", lngIndex, lngCount, lngBreedID);
}

std::wstring clsApp::ReportHeader() const {
    std::wstring header = L"PlatformID=" + base::DecStr(mudtOSVersion.PlatformId) + kCrLf;
    header += L"OS Version " + base::DecStr(mudtOSVersion.MajorVersion) + L"." +
              base::DecStr(mudtOSVersion.MinorVersion) + L"." + base::DecStr(mudtOSVersion.BuildNumber) + L" " +
              TrimBlanks(mudtOSVersion.CSDVersion) + kCrLf;
    header += kCrLf;
    return header;
}

int32_t clsApp::Check(int32_t lngFilter) {
    mdlLog::LogEvent(L"[clsApp] (Check)", L"START:\t" + base::DecStr(lngFilter), mdlLog::DebugLog);
    // Both flags: a detector still marked from a cancelled check would stop
    // this scan at its first track.
    mblnCancel = false;
    mblnReportWritten = false;
    if (mobjDetector) mobjDetector->Cancel(true);
    Status(1, L"Inicializace", 0, 0, 0);
    Check_ReadData();
    int32_t lngResult = 0;
    if (!mblnCancel) {
        Status(2, L"Scan", 0, 0, 0);
        mobjDetector->Scan(base::CInt(static_cast<double>(lngFilter)));
        const std::wstring strFile = mstrTempPath + platform::PathSep() + L"report.txt";
        mblnReportWritten = WriteToFile(strFile, ReportHeader() + mobjDetector->Report(), true);
        Status(6, L"Finish", 0, 0, 0);
        lngResult = 1;
    }
    if (mblnCancel) lngResult = -1;
    mdlLog::LogEvent(L"[clsApp] (Check)", L"END: RETURN=" + base::DecStr(lngResult), mdlLog::DebugLog);
    return lngResult;
}

bool clsApp::WriteToFile(std::wstring_view strFile, std::wstring_view strData, bool blnNew) {
    try {
        platform::FileSystem& files = *platform::Host().files;
        if (blnNew && files.FileExists(strFile) && !files.DeleteFile(strFile)) {
            base::Raise(base::vbErrPathFileAccess);
        }
        // One copy of a report of many megabytes, not a copy and a regrowth.
        std::wstring text;
        text.reserve(strData.size() + 2);
        text.append(strData);
        text += kCrLf;
        if (!files.AppendText(strFile, text)) base::Raise(base::vbErrPathFileAccess);
        return true;
    } catch (...) {
        mdlLog::LogError(L"[clsApp] (WriteToFile)", L"", L"");
        return false;
    }
}
