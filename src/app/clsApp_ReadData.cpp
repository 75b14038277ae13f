#include <memory>

#include "app/clsApp.h"
#include "app/mdlDataFile.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "log/mdlLog.h"

namespace {

// A 16-bit number of the data file, or the fallback text's value when the
// value is not numeric; out of range raises error 6.
int16_t ReadInt(std::wstring_view strSection, std::wstring_view strKey, std::wstring_view strFallback) {
    std::wstring value = mdlDataFile::ReadDataFile(strSection, strKey, L"x");
    if (!base::IsNumeric(value)) value = strFallback;
    return base::CInt(value);
}

}  // namespace

// Loading is not trapped: an overflow ends it (and the check) at once.
// The section and track counters are 32-bit so that a count of 32767 does not
// overflow on its last step.
int32_t clsApp::Check_ReadData() {
    mdlLog::LogEvent(L"[clsApp] (Check_ReadData)", L"START:", mdlLog::DebugLog);
    int32_t lngResult = 1;
    const std::wstring strCount = mdlDataFile::ReadDataFile(L"General", L"Count", L"0");
    const int16_t intCount = base::IsNumeric(strCount) ? base::CInt(strCount) : int16_t{0};
    if (intCount == 0) {
        lngResult = 0;
    } else if (mobjDetector->BreedCount() != intCount) {
        // Whatever an earlier, incomplete load left behind goes first, so
        // that no track is ever registered twice.
        mobjDetector->ClearRegisters();
        for (int32_t n = 1; n <= intCount; ++n) {
            Status(1, L"Inicializace", n, intCount, 0);
            const std::wstring strSection = L"Breed_" + base::DecStr(n);
            auto objBreed = std::make_shared<clsBreed>();
            objBreed->ID(n);
            objBreed->Info(mdlDataFile::ReadDataFile(strSection, L"Info", L""));
            objBreed->Name(mdlDataFile::ReadDataFile(strSection, L"Name", L""));
            objBreed->URL(mdlDataFile::ReadDataFile(strSection, L"URL", L""));
            objBreed->Filter(ReadInt(strSection, L"Filter", L"0"));
            objBreed->Proof(ReadInt(strSection, L"Proof", L"5"));
            const std::wstring strTracks = mdlDataFile::ReadDataFile(strSection, L"Count", L"0");
            if (base::IsNumeric(strTracks)) {
                const int16_t intTracks = base::CInt(static_cast<double>(base::CLng(strTracks)));
                for (int32_t m = 1; m <= intTracks; ++m) {
                    const std::wstring strTrack = mdlDataFile::ReadDataFile(strSection, L"Track" + base::DecStr(m), L"");
                    std::shared_ptr<clsTrack> objTrack = mdlDataFile::NewTrack(n, m, strTrack);
                    if (!objTrack) continue;
                    mobjDetector->AddTrack(objTrack);
                    objBreed->TrackCount(objBreed->TrackCount() + 1);
                }
                mobjDetector->AddBreed(objBreed);
            }
            if (mblnCancel) break;
        }
    }
    if (mblnCancel) lngResult = -1;
    mdlLog::LogEvent(L"[clsApp] (Check_ReadData)", L"END: RETURN=" + base::DecStr(lngResult), mdlLog::DebugLog);
    return lngResult;
}
