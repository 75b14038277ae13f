#pragma once
// One detectable product or problem: its display texts, its check-type mask,
// and the counters of the current check that decide whether it was found.

#include <cstdint>
#include <string>
#include <string_view>

class clsBreed {
public:
    int32_t ID() const { return mlngID; }
    void ID(int32_t lngID) { mlngID = lngID; }
    int16_t Proof() const { return mintProof; }
    void Proof(int16_t intProof) { mintProof = intProof; }
    const std::wstring& Name() const { return mstrName; }
    void Name(std::wstring_view strName) { mstrName = strName; }
    const std::wstring& Info() const { return mstrInfo; }
    void Info(std::wstring_view strInfo) { mstrInfo = strInfo; }
    const std::wstring& URL() const { return mstrURL; }
    void URL(std::wstring_view strURL) { mstrURL = strURL; }
    int32_t TrackCount() const { return mlngTrackCount; }
    void TrackCount(int32_t lngTrackCount) { mlngTrackCount = lngTrackCount; }

    // Hits and evaluated tracks of the current check.
    int16_t Score() const { return mintScore; }
    int16_t Track() const { return mintTrack; }
    void TrackClear() noexcept;
    // One more evaluated track; one more hit only when lngScore is exactly 1.
    // Counters stop at 32767 instead of overflowing.
    void TrackAdd(int32_t lngScore) noexcept;

    int32_t Filter() const { return mintFilter; }
    // Raises error 6 for a value outside the 16-bit range (the field keeps its value).
    void Filter(int32_t lngFilter);

    bool IsFound() const { return mintScore >= mintProof; }
    bool IsScaned() const { return static_cast<int32_t>(mintTrack) == mlngTrackCount; }

private:
    int16_t mintFilter = 0;
    int32_t mlngID = -1;
    std::wstring mstrName;
    std::wstring mstrInfo;
    std::wstring mstrURL;
    int32_t mlngTrackCount = 0;
    int16_t mintProof = 0;
    int16_t mintScore = 0;
    int16_t mintTrack = 0;
};
