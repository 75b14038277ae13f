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
#include "detect/mdlRegex.h"
#include "detect/mdlRules.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

namespace {

constexpr std::wstring_view kCrLf = L"\r\n";
constexpr int32_t kErrObjectNotSet = 91;

using mdlRules::ReplaceCrLf;

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
            const size_t at = FirstPosition(objTrack, strTesting, clsNeedleTable::UpperFold);
            if (at != clsNeedleTable::npos) lngPosition = static_cast<int32_t>(at + 1);
        }
        objTrack.OutputValue(base::DecStr(lngPosition));
        objTrack.Score(lngPosition != 0 ? 1 : 0);
    } else if (strOperator == L"REGEXP") {
        const std::wstring_view strList = ListText(objTrack);
        // Every match is found before anything is written, so a runaway
        // pattern stops the scan without a half-built output.
        std::vector<mdlRegex::Match> matches;
        mdlRegex::RunPlaces objPlaces;
        if (RegexMayMatch(objTrack, objPlaces)) {
            mdlRegex::Execute(objTrack.TestingValue(), strList, matches, mdlRegex::DefaultBudget(strList.size()),
                              objPlaces);
        } else {
            mdlRegex::Validate(objTrack.TestingValue());
        }
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
        const bool match = LikeList(objTrack, ListText(objTrack), base::LCase(strTesting));
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

// The needles of every INSTR, LIKE and REGEXP track on the same list go
// into one table, so the list is read once for all of them.
clsNeedleTable& clsDetector::NeedleTable(const clsTrack& objTrack) {
    const std::shared_ptr<clsEnumList> objList = mcolEnumLists->Item(objTrack.EnumListID());
    if (!objList) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
    std::unique_ptr<clsNeedleTable>& table = mcolNeedleTables[objList.get()];
    if (table) return *table;
    table = std::make_unique<clsNeedleTable>();
    for (const auto& objOther : *mcolTracks) {
        const std::wstring& strOperator = objOther->Operator();
        const bool blnInstr = strOperator == L"INSTR" || strOperator == L"!INSTR";
        const bool blnLike = strOperator == L"LIKE" || strOperator == L"!LIKE";
        const bool blnRegex = strOperator == L"REGEXP";
        if ((!blnInstr && !blnLike && !blnRegex) || mcolEnumLists->Item(objOther->EnumListID()) != objList) continue;
        if (blnRegex) {
            // Where a pattern must start with its first run, the engine is
            // tried at each of the run's places, found here for all at once.
            bool blnLeading = false;
            const std::vector<std::wstring> runs = mdlRegex::RequiredRuns(objOther->TestingValue(), &blnLeading);
            for (size_t i = 0; i < runs.size(); ++i) {
                table->Add(runs[i], clsNeedleTable::LowerFold, blnLeading && i == 0);
            }
            continue;
        }
        const std::wstring strTesting = ReplaceCrLf(objOther->TestingValue());
        if (blnInstr) {
            table->Add(strTesting, clsNeedleTable::UpperFold);
            continue;
        }
        try {
            for (const std::wstring& strRun : base::LikeLiteralRuns(base::LCase(strTesting))) {
                table->Add(strRun, clsNeedleTable::LowerFold);
            }
        } catch (const base::VbError&) {
            // A bad pattern is reported when its own track is evaluated.
        }
    }
    table->Search(objList->Text());
    return *table;
}

// 0-based first position of strNeedle in the track's list, npos when absent.
size_t clsDetector::FirstPosition(const clsTrack& objTrack, std::wstring_view strNeedle, clsNeedleTable::Fold eFold) {
    clsNeedleTable& table = NeedleTable(objTrack);
    const size_t index = table.Index(strNeedle, eFold);
    if (index != clsNeedleTable::npos) return table.FirstPosition(index);
    clsNeedleTable single;
    const size_t added = single.Add(strNeedle, eFold);
    single.Search(ListText(objTrack));
    return single.FirstPosition(added);
}

// A pattern one of whose plain runs the list lacks cannot match; the
// matcher runs only when all are there, starting at the first run.
bool clsDetector::LikeList(const clsTrack& objTrack, std::wstring_view strList, const std::wstring& strPattern) {
    const std::vector<std::wstring> runs = base::LikeLiteralRuns(strPattern);
    size_t lngSkip = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        const size_t at = FirstPosition(objTrack, runs[i], clsNeedleTable::LowerFold);
        if (at == clsNeedleTable::npos) return false;
        if (i == 0) lngSkip = at;
    }
    return base::LikeLowered(strList, strPattern, lngSkip);
}

// The engine runs only when the list holds every literal run each match
// must contain; objPlaces receives where a leading run occurs.
bool clsDetector::RegexMayMatch(const clsTrack& objTrack, mdlRegex::RunPlaces& objPlaces) {
    bool blnLeading = false;
    const std::vector<std::wstring> runs = mdlRegex::RequiredRuns(objTrack.TestingValue(), &blnLeading);
    for (const std::wstring& strRun : runs) {
        if (FirstPosition(objTrack, strRun, clsNeedleTable::LowerFold) == clsNeedleTable::npos) return false;
    }
    if (blnLeading) {
        const clsNeedleTable& table = NeedleTable(objTrack);
        const size_t index = table.Index(runs.front(), clsNeedleTable::LowerFold);
        if (index != clsNeedleTable::npos) objPlaces = {&table.Places(index), table.PlacesComplete(index)};
    }
    return true;
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
