// One check: every admitted track is evaluated against its inventory list,
// counted on its breed and reported.
#include <optional>
#include <vector>

#include "base/Like.h"
#include "base/Numbers.h"
#include "base/Text.h"
#include "base/VbError.h"
#include "base/Version.h"
#include "detect/clsDetector.h"
#include "detect/mdlRegExp.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

namespace {

constexpr std::wstring_view kCrLf = L"\r\n";
constexpr int32_t kErrObjectNotSet = 91;

std::wstring ReplaceCrLf(std::wstring_view strText) {
    constexpr std::wstring_view kMarker = L"%crlf%";
    std::wstring result;
    result.reserve(strText.size());
    size_t from = 0;
    for (size_t at = strText.find(kMarker); at != std::wstring_view::npos; at = strText.find(kMarker, from)) {
        result.append(strText.substr(from, at - from));
        result.append(kCrLf);
        from = at + kMarker.size();
    }
    result.append(strText.substr(from));
    return result;
}

std::wstring BoolText(bool value) { return value ? L"True" : L"False"; }

}  // namespace

void clsDetector::Scan(int16_t lngFilter) {
    std::wstring strTesting;
    std::shared_ptr<clsBreed> objBreed;
    try {
        Clear();
        const int32_t lngCount = mcolTracks->Count();
        const int32_t lngMask = lngFilter;
        for (int32_t lngIndex = 1; lngIndex <= lngCount; ++lngIndex) {
            const std::shared_ptr<clsTrack> objTrack = mcolTracks->Item(lngIndex);
            objBreed = Breed(objTrack->BreedID());
            if (!objBreed) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
            const int32_t lngBreedFilter = objBreed->Filter();
            if ((lngMask & lngBreedFilter) != lngBreedFilter) continue;

            RaiseScan(1, lngIndex, lngCount, objTrack->BreedID());
            SetEnumList(*objTrack);
            if (mblnCancel) break;

            strTesting = ReplaceCrLf(objTrack->TestingValue());
            EvaluateTrack(*objTrack, *objBreed, strTesting);
            objBreed->TrackAdd(objTrack->Score());
            RaiseScan(2, lngIndex, lngCount, objTrack->BreedID());
        }
    } catch (...) {
        mdlLog::LogError(L"[clsDetector] (Scan)", strTesting, L"");
    }
    objBreed.reset();
}

void clsDetector::EvaluateTrack(clsTrack& objTrack, const clsBreed& objBreed, const std::wstring& strTesting) {
    const std::wstring& strOperator = objTrack.Operator();
    if (strOperator == L"=" || strOperator == L"!=") {
        const bool equal = ListText(objTrack) == strTesting;
        objTrack.OutputValue(BoolText(equal));
        objTrack.Score(equal ? 1 : 0);
    } else if (strOperator == L"INSTR" || strOperator == L"!INSTR") {
        const std::wstring_view strList = ListText(objTrack);
        int32_t lngPosition = 0;
        if (!strList.empty()) {
            const std::wstring& strUpper = FoldedList(objTrack, true);
            const size_t at = strUpper.find(base::UCase(strTesting));
            if (at != std::wstring::npos) lngPosition = static_cast<int32_t>(at + 1);
        }
        objTrack.OutputValue(base::DecStr(lngPosition));
        objTrack.Score(lngPosition != 0 ? 1 : 0);
    } else if (strOperator == L"REGEXP") {
        const std::wstring_view strList = ListText(objTrack);
        // Every match is found before anything is written, so a runaway
        // pattern stops the scan without a half-built output.
        std::vector<mdlRegExp::Match> matches;
        mdlRegExp::Execute(objTrack.TestingValue(), strList, matches);
        objTrack.Score(matches.empty() ? 0 : 1);
        std::wstring strOutput = objTrack.OutputValue();
        for (const auto& [offset, length] : matches) {
            strOutput.append(strList.substr(offset, length));
            strOutput += L" at ";
            strOutput += base::DecStr(static_cast<int64_t>(offset));
            strOutput.append(kCrLf);
        }
        objTrack.OutputValue(std::move(strOutput));
    } else if (strOperator == L"LIKE" || strOperator == L"!LIKE") {
        const bool match = base::Like(FoldedList(objTrack, false), base::LCase(strTesting));
        objTrack.OutputValue(BoolText(match));
        objTrack.Score(match ? 1 : 0);
    } else if (strOperator == L">" || strOperator == L"<") {
        const double dblLength = static_cast<double>(ListText(objTrack).size());
        objTrack.OutputValue(base::DecStr(static_cast<int64_t>(dblLength)));
        const std::optional<double> dblTesting = base::ParseNumber(strTesting);
        if (!dblTesting) base::Raise(base::vbErrTypeMismatch);
        const bool hit = strOperator == L">" ? dblLength > *dblTesting : dblLength < *dblTesting;
        objTrack.Score(hit ? 1 : 0);
    } else {
        platform::Host().dialogs->MessageBox(L"Pozor! Neznámý operátor " + strOperator, base::kProgramTitle,
                                             platform::kMbOk | platform::kMbIconExclamation);
    }

    if (!strOperator.empty() && strOperator.front() == L'!') {
        if (objTrack.Score() == 0) objTrack.Score(1);
        else if (objTrack.Score() == 1) objTrack.Score(0);
    }
    if ((objTrack.ReportLevel() & 1) != 0 || objTrack.Score() == 1) AppendDetailBlock(objTrack, objBreed);
    if ((objTrack.ReportLevel() & 128) == 128) AppendListBlock(objTrack, ListText(objTrack));
}

std::wstring_view clsDetector::ListText(const clsTrack& objTrack) const {
    const std::shared_ptr<clsEnumList> objList = mcolEnumLists->Item(objTrack.EnumListID());
    if (!objList) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
    return objList->Text();
}

const std::wstring& clsDetector::FoldedList(const clsTrack& objTrack, bool blnUpper) {
    const std::shared_ptr<clsEnumList> objList = mcolEnumLists->Item(objTrack.EnumListID());
    if (!objList) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
    FoldedText& folded = mcolFolded[objList.get()];
    std::optional<std::wstring>& copy = blnUpper ? folded.upper : folded.lower;
    if (!copy) copy = blnUpper ? base::UCase(objList->Text()) : base::LCase(objList->Text());
    return *copy;
}

void clsDetector::AppendDetailBlock(const clsTrack& objTrack, const clsBreed& objBreed) {
    const std::wstring strBlank(50, L' ');
    AppendToReport({strBlank, kCrLf});
    AppendToReport({L"BreedID:", base::DecStr(objTrack.BreedID()), kCrLf});
    AppendToReport({L"Name:", objBreed.Name(), kCrLf});
    AppendToReport({L"Info:", objBreed.Info(), kCrLf});
    AppendToReport({L"URL:", objBreed.URL(), kCrLf});
    AppendToReport({L"Filter:", base::DecStr(objBreed.Filter()), kCrLf});
    AppendToReport({L"Class=", objTrack.Class(), kCrLf});
    AppendToReport({L"ID=", base::DecStr(objTrack.ID()), kCrLf});
    AppendToReport({L"EnumListID=", objTrack.EnumListID(), kCrLf});
    AppendToReport({L"InputValue=", objTrack.InputValue(), kCrLf});
    AppendToReport({L"Operator=", objTrack.Operator(), kCrLf});
    AppendToReport({L"OutputValue=", objTrack.OutputValue(), kCrLf});
    AppendToReport({L"Score=", base::DecStr(objTrack.Score()), kCrLf});
    AppendToReport({L"TestingValue=", objTrack.TestingValue(), kCrLf});
    AppendToReport({L"ReportLevel=", base::DecStr(objTrack.ReportLevel()), kCrLf});
    AppendToReport({strBlank, kCrLf});
}

void clsDetector::AppendListBlock(const clsTrack& objTrack, std::wstring_view strList) {
    const std::wstring strRule(50, L'-');
    AppendToReport({strRule, kCrLf});
    AppendToReport({L"[", objTrack.Class(), L"].", L"(", objTrack.InputValue(), L")", kCrLf});
    AppendToReport({strList, kCrLf});
    AppendToReport({strRule, kCrLf});
}
