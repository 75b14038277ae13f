#pragma once
// A detector on the fake machine, with a recording log and the Scan events it raised. Lists with chosen content
// come from the fake download server (class DOWNLOADFILE keeps the fetched text unchanged).

#include <gtest/gtest.h>

#include "base/Text.h"
#include "detect/clsDetector.h"
#include "fakes/FakeMachine.h"
#include "fakes/RecordingLog.h"

namespace detect_test {

// One Scan event: type, index, count, breed ID.
using ScanEvents = std::vector<std::array<int32_t, 4>>;
using Tracks = std::vector<std::shared_ptr<clsTrack>>;

class DetectorTest : public ::testing::Test {
protected:
    DetectorTest() {
        machine.system.programFolder = testing_support::JoinPath({L"", L"app"});
        detector.OnScan([this](int32_t type, int32_t index, int32_t count, int32_t breedID) {
            events.push_back({type, index, count, breedID});
            if (onEvent) onEvent(type, index);
        });
    }

    std::shared_ptr<clsBreed> AddBreed(int32_t id, int32_t filter = 0, int32_t trackCount = 1) {
        auto breed = std::make_shared<clsBreed>();
        breed->ID(id);
        breed->Filter(filter);
        breed->Proof(1);
        breed->TrackCount(trackCount);
        breed->Name(L"Breed " + base::DecStr(id));
        EXPECT_GT(detector.AddBreed(breed), 0);
        return breed;
    }

    std::shared_ptr<clsTrack> AddTrack(int32_t breedID, std::wstring_view cls, std::wstring_view input,
                                       std::wstring_view op, std::wstring_view testing, int32_t level = 0) {
        auto track = std::make_shared<clsTrack>();
        track->BreedID(breedID);
        track->ID(++trackNumber);
        track->Class(cls);
        track->InputValue(input);
        track->Operator(op);
        track->TestingValue(testing);
        track->ReportLevel(level);
        EXPECT_GT(detector.AddTrack(track), 0);
        return track;
    }

    // A track tested against a list holding exactly content.
    std::shared_ptr<clsTrack> AddListTrack(int32_t breedID, std::wstring_view content, std::wstring_view op,
                                           std::wstring_view testing, int32_t level = 0) {
        const std::wstring url = L"http://lists.test/" + base::DecStr(++listNumber);
        machine.internet.Serve(url, content);
        return AddTrack(breedID, L"DOWNLOADFILE", url, op, testing, level);
    }

    std::vector<std::wstring> Errors() const { return log->TextsOf(mdlLog::ERRLOG); }

    testing_support::FakeMachine machine;
    testing_support::ScopedRecordingLog log;
    clsDetector detector;
    ScanEvents events;
    std::function<void(int32_t, int32_t)> onEvent;
    int32_t trackNumber = 0;
    int32_t listNumber = 0;
};

}  // namespace detect_test
