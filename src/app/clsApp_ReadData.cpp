#include <algorithm>
#include <functional>
#include <memory>

#include "app/clsApp.h"
#include "app/mdlDataFile.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "log/mdlLog.h"

namespace {

// One value of a breed section, given its key and default.
using SectionReader = std::function<std::wstring(std::wstring_view strKey, std::wstring_view strDefault)>;

// A 16-bit number of the data file, or the fallback text's value when the
// value is not numeric; out of range raises error 6.
int16_t ReadInt(const SectionReader& read, std::wstring_view strKey, std::wstring_view strFallback) {
    std::wstring value = read(strKey, L"x");
    if (!base::IsNumeric(value)) value = strFallback;
    return base::CInt(value);
}

// The numbers n, ascending and once each, of the names that a lookup of
// strPrefix + n finds (n in decimal without leading zeros, 1 to 32767).
// strPrefix is upper-case ASCII.
std::vector<int32_t> NumberedNames(const std::vector<std::wstring>& colNames, std::wstring_view strPrefix) {
    std::vector<int32_t> numbers;
    for (const std::wstring& strName : colNames) {
        if (strName.size() <= strPrefix.size() || strName.size() > strPrefix.size() + 5) continue;
        if (base::UCase(std::wstring_view(strName).substr(0, strPrefix.size())) != strPrefix) continue;
        const std::wstring_view digits = std::wstring_view(strName).substr(strPrefix.size());
        if (digits.front() == L'0') continue;
        int32_t n = 0;
        for (const wchar_t ch : digits) n = ch >= L'0' && ch <= L'9' && n >= 0 ? n * 10 + (ch - L'0') : -1;
        if (n > 0 && n <= 32767) numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

}  // namespace

// Loading is not trapped: an overflow ends it (and the check) at once.
// The section and track counters are 32-bit so that a count of 32767 does not
// overflow on its last step.
int32_t clsApp::Check_ReadData() {
    mdlLog::LogEvent(L"[clsApp] (Check_ReadData)", L"START:", mdlLog::DebugLog);
    int32_t lngResult = 1;
    const std::unique_ptr<platform::ProfileSnapshot> objData = mdlDataFile::DataFileSnapshot();
    const std::wstring strCount = mdlDataFile::ReadDataFile(*objData, L"General", L"Count", L"0");
    const int16_t intCount = base::IsNumeric(strCount) ? base::CInt(strCount) : int16_t{0};
    if (intCount == 0) {
        lngResult = 0;
    } else if (mobjDetector->BreedCount() != intCount) {
        // Whatever an earlier, incomplete load left behind goes first, so
        // that no track is ever registered twice.
        mobjDetector->ClearRegisters();
        // The file is asked only for what its sections hold: a short file
        // naming thousands of breeds or tracks must not cost a lookup each.
        const std::vector<int32_t> colSections = NumberedNames(mdlDataFile::DataFileSections(*objData), L"BREED_");
        for (int32_t n = 1; n <= intCount; ++n) {
            Status(1, L"Inicializace", n, intCount, 0);
            const std::wstring strSection = L"Breed_" + base::DecStr(n);
            const bool blnPresent = std::binary_search(colSections.begin(), colSections.end(), n);
            // A missing section yields every default, as the reader would.
            const SectionReader read = [&](std::wstring_view strKey, std::wstring_view strDefault) {
                return blnPresent ? mdlDataFile::ReadDataFile(*objData, strSection, strKey, strDefault)
                                  : std::wstring(strDefault);
            };
            auto objBreed = std::make_shared<clsBreed>();
            objBreed->ID(n);
            objBreed->Info(read(L"Info", L""));
            objBreed->Name(read(L"Name", L""));
            objBreed->URL(read(L"URL", L""));
            objBreed->Filter(ReadInt(read, L"Filter", L"0"));
            objBreed->Proof(ReadInt(read, L"Proof", L"5"));
            const std::wstring strTracks = read(L"Count", L"0");
            if (base::IsNumeric(strTracks)) {
                const int16_t intTracks = base::CInt(static_cast<double>(base::CLng(strTracks)));
                // Track keys the section lacks would give the empty text, which
                // is never a track: only the present ones are read.
                const std::vector<int32_t> colTracks =
                    blnPresent ? NumberedNames(mdlDataFile::DataFileKeys(*objData, strSection), L"TRACK")
                               : std::vector<int32_t>{};
                for (const int32_t m : colTracks) {
                    if (m > intTracks) break;
                    const std::wstring strTrack = read(L"Track" + base::DecStr(m), L"");
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
