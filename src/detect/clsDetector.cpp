// The detector's registers, queries, per-check reset and report buffer.
#include "detect/clsDetector.h"

#include <algorithm>
#include <limits>

#include "base/Text.h"
#include "base/VbError.h"
#include "log/mdlLog.h"

namespace {

// The classic report buffer grows in steps of this many characters.
constexpr int64_t kReportStep = 65535;

constexpr int32_t kErrObjectNotSet = 91;

std::wstring EndTrace(int32_t lngResult) { return L"END: RETURN=" + base::DecStr(lngResult); }

}  // namespace

clsDetector::clsDetector() : mcolTracks(std::make_shared<clsTracks>()), mcolEnumLists(std::make_unique<clsEnumLists>()) {}

clsDetector::~clsDetector() = default;

int32_t clsDetector::AddBreed(std::shared_ptr<clsBreed> Breed) {
    constexpr const wchar_t* kWhere = L"[clsDetector] (AddBreed)";
    mdlLog::LogEvent(kWhere, L"START:", mdlLog::DebugLog);
    int32_t result;
    try {
        if (!Breed) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
        std::wstring key = base::DecStr(Breed->ID());
        if (mcolBreedKeys.count(key) != 0) base::Raise(base::vbErrDuplicateKey);
        mcolBreeds.push_back(Breed);
        mcolBreedKeys.emplace(std::move(key), std::move(Breed));
        result = BreedCount();
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
        result = -1;
    }
    mdlLog::LogEvent(kWhere, EndTrace(result), mdlLog::DebugLog);
    return result;
}

int32_t clsDetector::AddTrack(std::shared_ptr<clsTrack> Track) {
    constexpr const wchar_t* kWhere = L"[clsDetector] (AddTrack)";
    mdlLog::LogEvent(kWhere, L"START:", mdlLog::DebugLog);
    int32_t result;
    try {
        if (!Track) base::Raise(kErrObjectNotSet, {}, L"Object variable or With block variable not set");
        mcolTracks->Add(std::move(Track));
        result = mcolTracks->Count();
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
        result = -1;
    }
    mdlLog::LogEvent(kWhere, EndTrace(result), mdlLog::DebugLog);
    return result;
}

std::shared_ptr<clsBreed> clsDetector::Breed(int32_t BreedID) const {
    try {
        const auto found = mcolBreedKeys.find(base::DecStr(BreedID));
        if (found == mcolBreedKeys.end()) base::Raise(base::vbErrSubscript);
        return found->second;
    } catch (...) {
        mdlLog::LogError(L"[clsDetector] (Breed)", L"", base::DecStr(BreedID));
        return nullptr;
    }
}

std::shared_ptr<clsTrack> clsDetector::Track(int32_t TrackID) const {
    constexpr const wchar_t* kWhere = L"[clsDetector] (Track)";
    mdlLog::LogDebug(kWhere, TrackID);
    try {
        return mcolTracks->Item(TrackID);
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
        return nullptr;
    }
}

std::shared_ptr<clsTracks> clsDetector::Tracks(int32_t BreedID, int32_t Score) const {
    constexpr const wchar_t* kWhere = L"[clsDetector] (Tracks)";
    mdlLog::LogEvent(kWhere, L"START:", mdlLog::DebugLog);
    mdlLog::LogDebug(kWhere, BreedID, Score);
    std::shared_ptr<clsTracks> result;
    try {
        if (BreedID == -1 && Score == -1) {
            result = mcolTracks;
        } else {
            result = std::make_shared<clsTracks>();
            for (const auto& objTrack : *mcolTracks) {
                if ((BreedID == -1 || objTrack->BreedID() == BreedID) && (Score == -1 || objTrack->Score() == Score)) {
                    result->Add(objTrack);
                }
            }
        }
        mdlLog::LogEvent(kWhere, L"END:", mdlLog::DebugLog);
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
        result.reset();
    }
    return result;
}

std::shared_ptr<clsEnumList> clsDetector::EnumList(std::wstring_view Index) const {
    constexpr const wchar_t* kWhere = L"[clsDetector] (EnumList)";
    mdlLog::LogEvent(kWhere, L"START:", mdlLog::DebugLog);
    try {
        std::shared_ptr<clsEnumList> result = mcolEnumLists->Item(Index);
        mdlLog::LogEvent(kWhere, L"END:", mdlLog::DebugLog);
        return result;
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
        return nullptr;
    }
}

void clsDetector::Clear() {
    try {
        for (const auto& objBreed : mcolBreeds) objBreed->TrackClear();
        mcolNeedleTables.clear();
        mcolEnumLists->Clear();
        for (const auto& objTrack : *mcolTracks) {
            objTrack->OutputValue(std::wstring());
            objTrack->Score(-1);
        }
        std::wstring().swap(mstrReport);
        mlngReportCapacity = 0;
    } catch (...) {
        mdlLog::LogError(L"[clsDetector] (Clear)", L"", L"");
    }
}

void clsDetector::ClearRegisters() {
    Clear();
    mcolTracks = std::make_shared<clsTracks>();
    mcolBreeds.clear();
    mcolBreedKeys.clear();
}

// The text itself grows geometrically; the classic capacity is kept as a
// number: steps of 65,535 characters, and an append larger than a step lands
// on the trimmed text. NUL characters of the report itself are never dropped.
void clsDetector::AppendToReport(std::initializer_list<std::wstring_view> pieces) {
    try {
        int64_t n = 0;
        for (const auto piece : pieces) n += static_cast<int64_t>(piece.size());
        const int64_t used = static_cast<int64_t>(mstrReport.size());
        if (used + n > std::numeric_limits<int32_t>::max()) base::Raise(base::vbErrOverflow);
        int64_t capacity = mlngReportCapacity;
        if (used + n > capacity) capacity = used + n > capacity + kReportStep ? used + n : capacity + kReportStep;
        mstrReport.reserve(std::max(mstrReport.capacity(), static_cast<size_t>(used + n)));
        for (const auto piece : pieces) mstrReport.append(piece);
        mlngReportCapacity = capacity;
    } catch (...) {
        mdlLog::LogError(L"[clsDetector] (AppendToReport)", L"", L"");
    }
}

void clsDetector::RaiseScan(int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID) {
    if (mScanHandler) mScanHandler(lngType, lngIndex, lngCount, lngBreedID);
}
