#include <algorithm>

#include "detect/DetectorFixture.h"
#include "detect/mdlRules.h"

namespace detect_test {
namespace {

using testing_support::JoinPath;

class GatherTest : public DetectorTest {
protected:
    GatherTest() { AddBreed(1, 0, 2); }

    // The list text a track was tested against.
    std::wstring ListOf(const std::shared_ptr<clsTrack>& track) {
        const auto list = detector.EnumList(track->EnumListID());
        return list ? std::wstring(list->Text()) : L"<none>";
    }
    size_t CountTrace(std::wstring_view text) const {
        return static_cast<size_t>(std::count_if(log->events.begin(), log->events.end(),
                                                 [&](const auto& event) { return event.text == text; }));
    }
    const std::wstring sep = platform::PathSep();
};

TEST_F(GatherTest, OneGatheringPerEnumListIDAndCheck) {
    machine.registry.AddUninstallEntry(L"{A1}", std::wstring(L"Alpha Shield"));
    machine.registry.AddUninstallEntry(L"beta", std::nullopt);
    const auto first = AddTrack(1, L"REGISTRY", L"x", L"INSTR", L"alpha");
    const auto second = AddTrack(1, L"registry", L"x", L"INSTR", L"beta~#");
    const auto other = AddTrack(1, L"REGISTRY", L"y", L"=", L"");
    detector.Scan(-1);
    EXPECT_EQ(ListOf(first), L"{A1}~#Alpha Shield\r\nbeta~#\r\n");
    EXPECT_EQ(first->Score() + second->Score(), 2);
    EXPECT_EQ(CountTrace(L"Quorvex(RegistryList)\tSTART:"), 2u) << "once for x, once for y";
    EXPECT_EQ(CountTrace(L"Quorvex[clsDetector] (SetEnumList)\tSTART:" + first->EnumListID()), 1u);
    EXPECT_EQ(CountTrace(L"Quorvex[clsDetector] (SetEnumList)\tEND:"), 2u);
    EXPECT_EQ(ListOf(other), ListOf(first)) << "another input value, another copy of the same inventory";

    machine.registry.keys.clear();
    machine.registry.AddUninstallEntry(L"gamma", std::nullopt);
    detector.Scan(-1);
    EXPECT_EQ(ListOf(first), L"gamma~#\r\n") << "the next check gathers again";
    EXPECT_EQ(first->Score(), 0);
}

TEST_F(GatherTest, RegistryWalksBothViewsWhereThereAreTwo) {
    // The same subkey in both views, each with its own display name: a name read in the wrong view shows.
    testing_support::FakeRegistry view32;
    machine.registry.AddUninstallEntry(L"k", std::wstring(L"K native"));
    view32.AddUninstallEntry(L"k", std::wstring(L"K 32-bit"));
    view32.AddUninstallEntry(L"only32", std::wstring(L"Old"));
    machine.registry.view32 = &view32;
    machine.registry.separateViews = true;
    const auto track = AddTrack(1, L"REGISTRY", L"", L"=", L"");
    detector.Scan(-1);
    EXPECT_EQ(ListOf(track), L"k~#K native\r\nk~#K 32-bit\r\nonly32~#Old\r\n");
    EXPECT_EQ(machine.registry.openAccess.front(), platform::kKeyRead);
    EXPECT_EQ(machine.registry.openKeys + view32.openKeys, 0);
    machine.registry.separateViews = false;
    detector.Scan(-1);
    EXPECT_EQ(ListOf(track), L"k~#K native\r\n");
}

TEST_F(GatherTest, ProgramFolders) {
    const auto track = AddTrack(1, L"PROGRAMFILES", L"", L"=", L"");
    detector.Scan(-1);
    EXPECT_TRUE(machine.files.searches.empty()) << "no path: no walk from the root of the drive";
    EXPECT_EQ(ListOf(track), L"");

    const std::wstring first = JoinPath({L"", L"pf"});
    machine.files.AddFile(JoinPath({first, L"Shield", L"shield.exe"}));
    machine.files.AddFile(JoinPath({L"", L"pf86", L"old.exe"}));
    machine.folders.paths[platform::kFolderProgramFiles] = first;
    machine.folders.paths[platform::kFolderProgramFilesX86] = JoinPath({L"", L"pf86"});
    detector.Scan(-1);
    const std::wstring firstLines = sep + L"Shield\r\n" + sep + L"Shield" + sep + L"shield.exe\r\n";
    EXPECT_EQ(ListOf(track), firstLines + sep + L"old.exe\r\n");
    machine.folders.paths[platform::kFolderProgramFilesX86] = first;
    detector.Scan(-1);
    EXPECT_EQ(ListOf(track), firstLines) << "the same folder is walked once";

    std::wstring deep = JoinPath({L"", L"pf86"});
    for (int level = 1; level <= 260; ++level) machine.files.AddFolder(deep += sep + L"d");
    machine.folders.paths[platform::kFolderProgramFilesX86] = JoinPath({L"", L"pf86"});
    detector.Scan(-1);
    const std::wstring list = ListOf(track);
    EXPECT_EQ(std::count(list.begin(), list.end(), L'\n'), 3 + 256) << "both folders to the same depth";
}

// A stop between the two phases keeps the partial list out of the cache and
// the scan ends before evaluating the track.
TEST_F(GatherTest, StartMenuAndServicesStopBetweenPhases) {
    machine.folders.paths[platform::kFolderCommonPrograms] = JoinPath({L"", L"common"});
    machine.folders.paths[platform::kFolderPrograms] = JoinPath({L"", L"user"});
    machine.files.AddFile(JoinPath({L"", L"common", L"a.lnk"}));
    machine.files.AddFile(JoinPath({L"", L"user", L"b.lnk"}));
    machine.services.services = {{L"Shield Service", L"shieldsvc"}};
    machine.services.drivers = {{L"Shield Filter", L"shflt"}};
    const auto menu = AddTrack(1, L"STARTMENU", L"", L"=", L"");
    const auto service = AddTrack(1, L"SERVICE", L"", L"INSTR", L"shflt");
    detector.Scan(-1);
    EXPECT_EQ(ListOf(menu), sep + L"a.lnk\r\n" + sep + L"b.lnk\r\n");
    EXPECT_EQ(ListOf(service), L"Shield Service~#shieldsvc\r\nShield Filter~#shflt\r\n");

    machine.folders.queries.clear();
    machine.services.calls.clear();
    for (const auto& track : {menu, service}) {
        clsDetector own;
        own.AddBreed(detector.Breed(1));
        own.AddTrack(track);
        own.Cancel();
        own.Scan(-1);
        EXPECT_EQ(own.EnumList(track->EnumListID()), nullptr);
        EXPECT_EQ(track->Score(), -1);
    }
    ASSERT_EQ(machine.folders.queries.size(), 1u);
    EXPECT_EQ(machine.folders.queries[0].folder, platform::kFolderCommonPrograms);
    ASSERT_EQ(machine.services.calls.size(), 1u);
    EXPECT_EQ(machine.services.calls[0].type, platform::kServiceWin32);
}

TEST_F(GatherTest, ProcessesDialUpDownloadsAndLibraries) {
    machine.processes.processes = {L"init", L"shield.exe"};
    machine.dialUp.entries = {L"Work VPN"};
    machine.internet.Serve(L"http://probe.test/ok", L"OK\r\n");
    // The handle is written in full width: cut to 32 bits it would read 0.
    const uintptr_t handle = sizeof(uintptr_t) >= 8 ? static_cast<uintptr_t>(0x100000000ull) : 0x10000u;
    machine.libraries.libraries[L"shield.dll"] = handle;
    const Tracks tracks = {AddTrack(1, L"PROCESS", L"", L"=", L""), AddTrack(1, L"DUN", L"", L"=", L""),
                           AddTrack(1, L"DOWNLOADFILE", L"http://probe.test/ok", L"=", L"OK%crlf%"),
                           AddTrack(1, L"DOWNLOADFILE", L"http://probe.test/down", L"=", L""),
                           AddTrack(1, L"LOADLIBRARY", L"shield.dll", L"=", L""),
                           AddTrack(1, L"LOADLIBRARY", L"nothere.dll", L"=", L"")};
    detector.Scan(-1);
    const std::wstring h = base::DecStr(static_cast<int64_t>(handle));
    const std::wstring expected[] = {
        L"init\r\nshield.exe\r\n", L"Count=1\r\nWork VPN\r\n", L"OK\r\n", L"",
        L"LoadLibrary(shield.dll)=" + h + L"\r\nFreeLibrary(shield.dll)=" + h + L"\r\n",
        L"LoadLibrary(nothere.dll)=0\r\nFreeLibrary(nothere.dll)=0\r\n"};
    for (size_t i = 0; i < tracks.size(); ++i) EXPECT_EQ(ListOf(tracks[i]), expected[i]) << i;
    EXPECT_EQ(tracks[2]->Score(), 1);
    EXPECT_EQ(machine.libraries.freed, std::vector<uintptr_t>{handle}) << "a failed load is not released";
}

// The knowledge-base checks trust this table: it must name exactly what is gathered.
TEST_F(GatherTest, KnownClassesGatherSomethingAndOthersNothing) {
    machine.registry.AddUninstallEntry(L"k", std::wstring(L"K"));
    machine.folders.paths[platform::kFolderProgramFiles] = JoinPath({L"", L"pf"});
    machine.folders.paths[platform::kFolderCommonPrograms] = JoinPath({L"", L"menu"});
    machine.files.AddFile(JoinPath({L"", L"pf", L"a.exe"}));
    machine.files.AddFile(JoinPath({L"", L"menu", L"a.lnk"}));
    machine.services.services = {{L"Svc", L"svc"}};
    machine.processes.processes = {L"init"};
    machine.internet.Serve(L"http://x.test/", L"OK");
    Tracks tracks;
    for (std::wstring_view cls : mdlRules::KnownClasses()) {
        tracks.push_back(AddTrack(1, cls, cls == L"DOWNLOADFILE" ? L"http://x.test/" : L"lib", L"<", L"1"));
    }
    const auto unknown = AddTrack(1, L"FIREWALL", L"", L"<", L"1");
    detector.Breed(1)->TrackCount(static_cast<int32_t>(tracks.size()) + 1);
    detector.Scan(-1);
    for (const auto& track : tracks) EXPECT_EQ(track->Score(), 0) << track->Class() << " gathered nothing";
    EXPECT_EQ(unknown->Score(), 1) << "an unknown class has an empty list";
}

}  // namespace
}  // namespace detect_test
