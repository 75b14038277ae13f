#include <gtest/gtest.h>

#include "app/AppFixture.h"
#include "app/DataFiles.h"
#include "app/mdlDataFile.h"
#include "base/CodePage.h"
#include "base/VbError.h"

namespace {

using testing_support::AppFixture;
using testing_support::ReadData;
using testing_support::StatusEvent;

std::string Ansi(std::wstring_view text) { return platform::ToAnsi(text); }

class ClsAppTest : public AppFixture {
protected:
    // Two firewalls (one installed, one not) and a communication check.
    void WriteSampleKnowledgeBase() {
        folder.Write(L"Vigilor.dat", Ansi(base::Utf8ToWide(ReadData("sample/Vigilor.dat"))));
        fake.registry.AddUninstallEntry(L"{A1}", std::wstring(L"Alfa Firewall 2.0"));
        fake.processes.processes = {L"init", L"gamma.exe"};
    }
};

TEST_F(ClsAppTest, CompleteCheckWritesReportStatusAndLogs) {
    folder.Write(L"log.ini", "[Default]\r\ndefault=FILE\r\n");
    WriteSampleKnowledgeBase();
    {
        auto app = MakeApp();
        EXPECT_EQ(app->AppPath(), folder.WPath());
        EXPECT_EQ(app->TempPath(), folder.File(L"TEMP"));
        EXPECT_EQ(app->Check(1), 1);

        const std::vector<StatusEvent> expected = {
            {1, L"Inicializace", 0, 0, 0}, {1, L"Inicializace", 1, 3, 0}, {1, L"Inicializace", 2, 3, 0},
            {1, L"Inicializace", 3, 3, 0}, {2, L"Scan", 0, 0, 0},          {3, L"", 1, 3, 1},
            {4, L"", 1, 3, 1},             {3, L"", 2, 3, 2},              {4, L"", 2, 3, 2},
            {6, L"Finish", 0, 0, 0},
        };
        EXPECT_EQ(events, expected);
        EXPECT_TRUE(app->Bredd(1)->IsFound());
        EXPECT_FALSE(app->Bredd(2)->IsFound());
        EXPECT_EQ(app->Bredd(3)->Track(), 0) << "the filter keeps the communication check out";
        EXPECT_EQ(app->Bredd(4), nullptr);
        EXPECT_EQ(app->OSPlatformId(), 2);
    }

    // The report, the system log (asking for breed 4, which does not exist,
    // is recorded with its id) and the debug log with every record in order.
    for (const wchar_t* file : {L"report.txt", L"SYS_Quorvex_261206.TXT", L"DEBUG_Quorvex_261206.TXT"}) {
        const std::string golden = ReadData("sample/" + base::WideToUtf8(file));
        EXPECT_EQ(ReadTemp(file), Ansi(base::Utf8ToWide(golden))) << base::WideToUtf8(file);
    }
}

TEST_F(ClsAppTest, CancelDuringTheLoadSkipsScanAndKeepsTheOldReport) {
    folder.Write(L"log.ini", "[Default]\r\ndefault=FILE\r\n");
    WriteSampleKnowledgeBase();
    folder.Write(L"TEMP/report.txt", "old report");
    auto app = MakeApp();
    onStatus = [&](int32_t type, int32_t index) {
        if (type == 1 && index == 2) app->Cancel();
    };
    EXPECT_EQ(app->Check(3), -1);
    EXPECT_EQ(events.back(), (StatusEvent{1, L"Inicializace", 2, 3, 0})) << "no Scan, no Finish";
    EXPECT_EQ(ReadTemp(L"report.txt"), "old report");
    EXPECT_EQ(app->Detector().BreedCount(), 2);
    EXPECT_NE(ReadTemp(L"DEBUG_Quorvex_261206.TXT").find("(Check_ReadData)\tEND: RETURN=-1"), std::string::npos);

    // The next check reads the whole file again without doubling any track.
    onStatus = nullptr;
    events.clear();
    EXPECT_EQ(app->Check(3), 1);
    EXPECT_EQ(app->Detector().BreedCount(), 3);
    EXPECT_EQ(app->Detector().Tracks(-1, -1)->Count(), 3);
    EXPECT_TRUE(app->Bredd(3)->IsScaned());
}

TEST_F(ClsAppTest, CancelDuringTheScanWritesWhatWasEvaluated) {
    WriteSampleKnowledgeBase();
    auto app = MakeApp();
    onStatus = [&](int32_t type, int32_t index) {
        if (type == 3 && index == 2) app->Cancel();
    };
    EXPECT_EQ(app->Check(1), -1);
    EXPECT_EQ(events.back(), (StatusEvent{6, L"Finish", 0, 0, 0}));
    EXPECT_EQ(app->Bredd(2)->Track(), 0) << "the track being cancelled is not counted";
    const std::string report = ReadTemp(L"report.txt");
    EXPECT_NE(report.find("BreedID:1\r\n"), std::string::npos);
    EXPECT_EQ(report.find("BreedID:2\r\n"), std::string::npos);
}

TEST_F(ClsAppTest, SecondCheckDoesNotReloadTheKnowledgeBase) {
    WriteSampleKnowledgeBase();
    auto app = MakeApp();
    app->Check(3);
    events.clear();
    EXPECT_EQ(app->Check(3), 1);
    EXPECT_EQ(events.at(0), (StatusEvent{1, L"Inicializace", 0, 0, 0}));
    EXPECT_EQ(events.at(1), (StatusEvent{2, L"Scan", 0, 0, 0}));
    EXPECT_EQ(app->Detector().BreedCount(), 3);
    EXPECT_TRUE(app->Bredd(3)->IsScaned()) << "the download track took part this time";
    EXPECT_FALSE(app->Bredd(3)->IsFound()) << "nothing serves the test address";
}

TEST_F(ClsAppTest, LoaderSkippingRules) {
    WriteDataFile({L"[General]", L"Count= 4 ", L"[Breed_1]", L"Name=One", L"Filter=abc", L"Count=4",
                   L"Track1=DUN~#~#=~#~# 7 ", L"Track2=DUN~#~#=~#~#x", L"Track3=DUN~#~#=~#",
                   L"Track4=dun~#in~#instr~#t~#128", L"[Breed_2]", L"Name=Dropped", L"Count=", L"Track1=DUN~#~#=~#~#1",
                   L"[Breed_3]", L"Name=" + std::wstring(300, L'n')});
    auto app = MakeApp();
    app->Check(0);
    const clsDetector& detector = app->Detector();
    EXPECT_EQ(detector.BreedCount(), 3);
    auto one = app->Bredd(1);
    EXPECT_EQ(one->Filter(), 0);
    EXPECT_EQ(one->Proof(), 5);
    EXPECT_EQ(one->TrackCount(), 3);
    auto tracks = detector.Tracks(1, -1);
    ASSERT_EQ(tracks->Count(), 3);
    EXPECT_EQ(tracks->Item(1)->ReportLevel(), 7);
    EXPECT_EQ(tracks->Item(2)->ReportLevel(), 99);
    EXPECT_EQ(tracks->Item(3)->ID(), 4) << "ids keep their gaps";
    EXPECT_EQ(tracks->Item(3)->Class(), L"DUN");
    EXPECT_EQ(tracks->Item(3)->Operator(), L"INSTR");
    EXPECT_EQ(tracks->Item(3)->InputValue(), L"in");
    EXPECT_EQ(app->Bredd(2), nullptr) << "a Count that is not numeric drops the breed";
    EXPECT_EQ(app->Bredd(3)->Name(), std::wstring(254, L'n'));
    EXPECT_EQ(app->Bredd(4)->TrackCount(), 0) << "a missing section gives an empty breed";
    EXPECT_EQ(app->Bredd(4)->Proof(), 5);
}

// Counts the lookups in the knowledge base on their way to the machine's reader.
class CountingProfile final : public platform::Profile {
public:
    explicit CountingProfile(platform::Profile& real) : mReal(real) {}
    uint32_t GetString(std::wstring_view s, std::wstring_view k, std::wstring_view d, uint32_t n, std::wstring_view f,
                       std::wstring& v) override {
        if (f.ends_with(mdlDataFile::kDataFileName)) ++lookups;
        return mReal.GetString(s, k, d, n, f, v);
    }
    std::vector<std::wstring> SectionNames(std::wstring_view f) override { return mReal.SectionNames(f); }
    std::vector<std::wstring> KeyNames(std::wstring_view s, std::wstring_view f) override {
        return mReal.KeyNames(s, f);
    }
    int lookups = 0;

private:
    platform::Profile& mReal;
};

// A short file that names many breeds and tracks costs a lookup per value it
// holds, not per value it names, and still loads exactly as before.
TEST_F(ClsAppTest, LoaderAsksOnlyForKeysTheFileHas) {
    WriteDataFile({L"[General]", L"Count=300", L"[breed_2]", L"Name=Two", L"Count=32767", L"track2=DUN~#~#=~#~#1",
                   L"Track01=DUN~#~#=~#~#1", L"Track 3=DUN~#~#=~#~#1", L"Track3a=DUN~#~#=~#~#1",
                   L"Track32767=DUN~#~#=~#~#2", L"[Breed_3]", L"Count=1", L"Track2=DUN~#~#=~#~#1", L"[Breed_04]",
                   L"Name=Not four"});
    CountingProfile counting(*platform::Host().profile);
    platform::Machine replacement;
    replacement.profile = &counting;
    const platform::ScopedMachine scope(replacement);
    auto app = MakeApp();
    app->Check(0);
    EXPECT_EQ(app->Detector().BreedCount(), 300);
    EXPECT_EQ(app->Bredd(2)->Name(), L"Two");
    const auto tracks = app->Detector().Tracks(-1, -1);
    ASSERT_EQ(tracks->Count(), 2);
    EXPECT_EQ(tracks->Item(1)->ID(), 2);
    EXPECT_EQ(tracks->Item(2)->ID(), 32767);
    EXPECT_EQ(app->Bredd(3)->TrackCount(), 0) << "Track2 lies beyond the breed's Count";
    EXPECT_EQ(app->Bredd(4)->Name(), L"") << "Breed_04 is not the section of breed 4";
    EXPECT_EQ(app->Bredd(4)->Proof(), 5);
    // General/Count, six values of each of the two sections, two track keys.
    EXPECT_LE(counting.lookups, 1 + 2 * 6 + 2);
}

TEST_F(ClsAppTest, OverflowInTheKnowledgeBaseReachesTheCaller) {
    WriteDataFile({L"[General]", L"Count=2", L"[Breed_1]", L"Count=1", L"Track1=DUN~#~#=~#~#1", L"[Breed_2]",
                   L"Proof=40000"});
    auto app = MakeApp();
    try {
        app->Check(1);
        FAIL() << "the overflow did not reach the caller";
    } catch (const base::VbError& e) {
        EXPECT_EQ(e.Number(), base::vbErrOverflow);
    }
    EXPECT_EQ(events.back().type, 1) << "no Scan after a failed load";
    EXPECT_EQ(app->Detector().BreedCount(), 1);

    // A filter that does not fit 16 bits fails the same way, after "Scan".
    WriteDataFile({L"[General]", L"Count=0"});
    events.clear();
    EXPECT_THROW(app->Check(70000), base::VbError);
    EXPECT_EQ(events.back(), (StatusEvent{2, L"Scan", 0, 0, 0}));
}

TEST_F(ClsAppTest, MissingOrEmptyDataFileFindsNothing) {
    auto app = MakeApp();
    EXPECT_EQ(app->Check(1), 1);
    folder.Write(L"Vigilor.dat", std::string("\x00\xff\xfe garbage [[[ ==\r\n\x01", 20));
    EXPECT_EQ(app->Check(1), 1);
    EXPECT_EQ(app->Detector().BreedCount(), 0);
    EXPECT_EQ(ReadTemp(L"report.txt"), "PlatformID=2\r\nOS Version 10.0.19045 Service Pack 1\r\n\r\n\r\n");
}

TEST_F(ClsAppTest, LargeKnowledgeBaseAndHugeValuesLoad) {
    std::string text = "[General]\r\nCount=10000\r\n[Breed_1]\r\nName=" + std::string(100000, 'x') +
                       "\r\nCount=1\r\nTrack1=DUN~#~#=~#" + std::string(100000, 'y') + "~#0\r\n";
    for (int n = 2; n <= 10000; ++n) {
        text += "[Breed_" + std::to_string(n) + "]\r\nName=B" + std::to_string(n) + "\r\nCount=1\r\nTrack1=DUN~#~#=~#~#0\r\n";
    }
    folder.Write(L"Vigilor.dat", text);
    auto app = MakeApp();
    EXPECT_EQ(app->Check(1), 1);
    EXPECT_EQ(app->Detector().BreedCount(), 10000);
    EXPECT_EQ(app->Bredd(1)->Name(), std::wstring(254, L'x'));
    EXPECT_EQ(app->Bredd(1)->TrackCount(), 0) << "a track value cut at 254 characters has lost its fields";
    EXPECT_EQ(app->Bredd(10000)->Name(), L"B10000");
    EXPECT_EQ(app->Detector().Tracks(-1, -1)->Count(), 9999);
}

TEST_F(ClsAppTest, FailedVersionQueryLeavesZerosAndATrailingBlank) {
    fake.system.versionOk = false;
    fake.system.lastError = 87;
    auto app = MakeApp();
    EXPECT_EQ(app->OSPlatformId(), 0);
    app->Check(1);
    EXPECT_EQ(ReadTemp(L"report.txt"), "PlatformID=0\r\nOS Version 0.0.0 \r\n\r\n\r\n");
    EXPECT_NE(ReadTemp(L"SYS_Quorvex_261206.TXT").find("\tGetVersionEx fail\t87\r\n"), std::string::npos);
}

TEST_F(ClsAppTest, WriteToFileAppendsReplacesAndReportsFailure) {
    auto app = MakeApp();
    const std::wstring file = folder.File(L"out.txt");
    EXPECT_TRUE(app->WriteToFile(file, L"a", false));
    EXPECT_TRUE(app->WriteToFile(file, L"b", false));
    EXPECT_EQ(folder.Read(L"out.txt"), "a\r\nb\r\n");
    EXPECT_TRUE(app->WriteToFile(file, L"č", true));
    EXPECT_EQ(folder.Read(L"out.txt"), Ansi(L"č\r\n"));

    EXPECT_FALSE(app->WriteToFile(folder.File(L"missing") + platform::PathSep() + L"x.txt", L"a", true));
    EXPECT_NE(ReadTemp(L"SYS_Quorvex_261206.TXT").find("#ERRLOG#: "), std::string::npos);
    EXPECT_NE(ReadTemp(L"SYS_Quorvex_261206.TXT").find("[clsApp] (WriteToFile)\t\t75\t"), std::string::npos);
}

TEST_F(ClsAppTest, ProgramInTheRootOfADrive) {
    const bool windows = platform::PathSeparator() == L'\\';
    fake.system.programFolder = windows ? L"C:\\" : L"/";
    fake.files.underlying = nullptr;  // the root of the real machine stays untouched
    clsApp app;
    EXPECT_EQ(app.AppPath(), windows ? L"C:" : L"");
    EXPECT_EQ(app.TempPath(), windows ? L"C:\\TEMP" : L"/TEMP");
    EXPECT_EQ(fake.files.created, std::vector<std::wstring>{app.TempPath()});
    EXPECT_EQ(mdlDataFile::DataFilePath(), windows ? L"C:\\\\Vigilor.dat" : L"//Vigilor.dat");
}

}  // namespace
