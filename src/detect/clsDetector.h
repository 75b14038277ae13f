#pragma once
// The detector: home of the knowledge base (breeds and tracks, registered
// once per run) and of one check's results (inventory lists, report text,
// per-track and per-breed results). Scan runs one check.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "detect/clsBreed.h"
#include "detect/clsNeedleTable.h"
#include "detect/clsTrack.h"
#include "detect/clsTracks.h"
#include "detect/mdlRegex.h"
#include "inventory/clsEnumList.h"
#include "inventory/clsEnumLists.h"

class clsDetector {
public:
    // The Scan event: lngType 1 before a track is evaluated, 2 after it was
    // counted on its breed; lngIndex its position in the track register,
    // lngCount the number of registered tracks.
    using ScanHandler = std::function<void(int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID)>;

    clsDetector();
    ~clsDetector();
    clsDetector(const clsDetector&) = delete;
    clsDetector& operator=(const clsDetector&) = delete;

    // The owner's listener for the Scan event (one; none clears it).
    void OnScan(ScanHandler handler) { mScanHandler = std::move(handler); }

    // Requests a stop of the running scan; with blnClear true withdraws it.
    void Cancel(bool blnClear = false) noexcept { mblnCancel = !blnClear; }
    bool IsCancelled() const noexcept { return mblnCancel; }

    const std::wstring& Report() const { return mstrReport; }
    // Report capacity by the classic growth policy (steps of 65,535 characters).
    int32_t ReportCapacity() const { return static_cast<int32_t>(mlngReportCapacity); }

    // Number of registered breeds, or -1 (for example a duplicate ID).
    int32_t AddBreed(std::shared_ptr<clsBreed> Breed);
    // Number of registered tracks (the new track's position), or -1.
    int32_t AddTrack(std::shared_ptr<clsTrack> Track);
    std::shared_ptr<clsBreed> Breed(int32_t BreedID) const;
    int32_t BreedCount() const { return static_cast<int32_t>(mcolBreeds.size()); }
    std::shared_ptr<clsTrack> Track(int32_t TrackID) const;
    // -1 for no filter; both -1 gives the register itself.
    std::shared_ptr<clsTracks> Tracks(int32_t BreedID, int32_t Score) const;
    std::shared_ptr<clsEnumList> EnumList(std::wstring_view Index) const;

    // Runs one check over the breeds whose filter bits are all in lngFilter.
    // Never raises.
    void Scan(int16_t lngFilter);
    void Clear();
    // Gathers objTrack's inventory list as a check does (once per
    // EnumListID) and appends its list block to the report, without
    // evaluating the track. False when no list was gathered (a stop request).
    bool ReportInventory(const clsTrack& objTrack);
    // Empties the registers of breeds and tracks as well as one check's
    // results, so that a knowledge base can be read again from the start.
    void ClearRegisters();

private:
    void SetEnumList(const clsTrack& objTrack);
    void GatherFolder(int32_t lngFolder, clsEnumList& objList, std::wstring* pstrPathOut = nullptr);
    void GatherRegistry(clsEnumList& objList);
    void GatherLibrary(const clsTrack& objTrack, clsEnumList& objList);

    void AppendToReport(std::initializer_list<std::wstring_view> pieces);
    void RaiseScan(int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID);
    void EvaluateTrack(clsTrack& objTrack, const clsBreed& objBreed, const std::wstring& strTesting);
    void AppendDetailBlock(const clsTrack& objTrack, const clsBreed& objBreed);
    void AppendListBlock(const clsTrack& objTrack, std::wstring_view strList);
    std::wstring_view ListText(const clsTrack& objTrack) const;
    // One table of INSTR needles and LIKE and REGEXP runs per list and check.
    clsNeedleTable& NeedleTable(const clsTrack& objTrack);
    size_t FirstPosition(const clsTrack& objTrack, std::wstring_view strNeedle, clsNeedleTable::Fold eFold);
    bool LikeList(const clsTrack& objTrack, std::wstring_view strList, const std::wstring& strPattern);
    bool RegexMayMatch(const clsTrack& objTrack, mdlRegex::RunPlaces& objPlaces);

    std::shared_ptr<clsTracks> mcolTracks;
    std::unique_ptr<clsEnumLists> mcolEnumLists;
    std::vector<std::shared_ptr<clsBreed>> mcolBreeds;
    std::map<std::wstring, std::shared_ptr<clsBreed>, std::less<>> mcolBreedKeys;
    std::unordered_map<const clsEnumList*, std::unique_ptr<clsNeedleTable>> mcolNeedleTables;
    std::wstring mstrReport;
    int64_t mlngReportCapacity = 0;
    bool mblnCancel = false;
    ScanHandler mScanHandler;
};
