#pragma once
// A detector on the fake machine, with a recording log and the Scan events
// it raised. Lists with chosen content come from the fake download server
// (class DOWNLOADFILE keeps the fetched text unchanged).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "detect/clsDetector.h"
#include "fakes/FakeMachine.h"
#include "fakes/RecordingLog.h"

namespace detect_test {

struct ScanEvent {
    int32_t type;
    int32_t index;
    int32_t count;
    int32_t breedID;
    bool operator==(const ScanEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const ScanEvent& e) {
    return out << "{" << e.type << "," << e.index << "," << e.count << "," << e.breedID << "}";
}

class DetectorTest : public ::testing::Test {
protected:
    DetectorTest() {
        machine.system.programFolder = testing_support::JoinPath({L"", L"app"});
        detector.OnScan([this](int32_t lngType, int32_t lngIndex, int32_t lngCount, int32_t lngBreedID) {
            events.push_back({lngType, lngIndex, lngCount, lngBreedID});
            if (onEvent) onEvent(lngType, lngIndex);
        });
    }

    std::shared_ptr<clsBreed> AddBreed(int32_t lngID, int32_t lngFilter = 0, int16_t intProof = 1,
                                       int32_t lngTrackCount = 1) {
        auto breed = std::make_shared<clsBreed>();
        breed->ID(lngID);
        breed->Filter(lngFilter);
        breed->Proof(intProof);
        breed->TrackCount(lngTrackCount);
        breed->Name(L"Breed " + base::DecStr(lngID));
        EXPECT_GT(detector.AddBreed(breed), 0);
        return breed;
    }

    std::shared_ptr<clsTrack> AddTrack(int32_t lngBreedID, std::wstring_view strClass, std::wstring_view strInput,
                                       std::wstring_view strOperator, std::wstring_view strTesting,
                                       int32_t lngReportLevel = 0) {
        auto track = std::make_shared<clsTrack>();
        track->BreedID(lngBreedID);
        track->ID(++trackNumber);
        track->Class(strClass);
        track->InputValue(strInput);
        track->Operator(strOperator);
        track->TestingValue(strTesting);
        track->ReportLevel(lngReportLevel);
        EXPECT_GT(detector.AddTrack(track), 0);
        return track;
    }

    // A track tested against a list holding exactly strContent.
    std::shared_ptr<clsTrack> AddListTrack(int32_t lngBreedID, std::wstring_view strContent,
                                           std::wstring_view strOperator, std::wstring_view strTesting,
                                           int32_t lngReportLevel = 0) {
        const std::wstring url = L"http://lists.test/" + base::DecStr(++listNumber);
        machine.internet.Serve(url, strContent);
        return AddTrack(lngBreedID, L"DOWNLOADFILE", url, strOperator, strTesting, lngReportLevel);
    }

    std::vector<std::wstring> Errors() const { return log->TextsOf(mdlLog::ERRLOG); }

    testing_support::FakeMachine machine;
    testing_support::ScopedRecordingLog log;
    clsDetector detector;
    std::vector<ScanEvent> events;
    std::function<void(int32_t, int32_t)> onEvent;
    int32_t trackNumber = 0;
    int32_t listNumber = 0;
};

}  // namespace detect_test
