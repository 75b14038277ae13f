#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/VbError.h"
#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/RecordingLog.h"
#include "inventory/mdlAPI.h"
#include "inventory/mdlEnumList.h"

namespace {

using testing_support::FakeMachine;
using testing_support::JoinPath;
using testing_support::ScopedRecordingLog;

constexpr int32_t kObjectError = base::vbObjectError;

class EnumListTest : public ::testing::Test {
protected:
    void SetUp() override { gblnCancel = false; }
    void TearDown() override { gblnCancel = false; }

    // Records whose text starts with the component and the place.
    std::vector<testing_support::RecordingLog::Event> At(std::wstring_view where) const {
        std::vector<testing_support::RecordingLog::Event> found;
        const std::wstring prefix = L"Quorvex" + std::wstring(where) + L"\t";
        for (const auto& event : log->events) {
            if (event.text.rfind(prefix, 0) == 0) found.push_back(event);
        }
        return found;
    }

    FakeMachine machine;
    ScopedRecordingLog log;
    clsEnumList list;
};

// ---- RegistryList and GetRegValue ------------------------------------------

class RegistryListTest : public EnumListTest {
protected:
    void SetUp() override {
        EnumListTest::SetUp();
        machine.registry.AddUninstallEntry(L"{A1}", L"Alpha Suite");
        machine.registry.AddUninstallEntry(L"NoName", std::nullopt);
        machine.registry.AddUninstallEntry(L"Expanded", L"%ProgramFiles%\\x", 2);
        machine.registry.AddUninstallEntry(L"Long254", std::wstring(254, L'a'));
        machine.registry.AddUninstallEntry(L"Long255", std::wstring(255, L'b'));
        machine.registry.AddUninstallEntry(L"Empty", L"");
        machine.registry.AddUninstallEntry(L"Last", L"Zeta");
    }
};

TEST_F(RegistryListTest, OneLinePerSubkeyAndTheWalkGoesOnPastBadValues) {
    EXPECT_EQ(mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, list), 0);
    EXPECT_EQ(list.Text(), L"{A1}~#Alpha Suite\r\n"
                           L"NoName~#\r\n"
                           L"Expanded~#\r\n"
                           L"Long254~#" + std::wstring(254, L'a') + L"\r\n"
                           L"Long255~#\r\n"
                           L"Empty~#\r\n"
                           L"Last~#Zeta\r\n");
    EXPECT_EQ(machine.registry.openKeys, 0);
    EXPECT_EQ(machine.registry.openAccess, std::vector<uint32_t>{platform::kKeyRead});

    const auto walk = At(L"(RegistryList)");
    ASSERT_EQ(walk.size(), 2u);
    EXPECT_EQ(walk[0].text, L"Quorvex(RegistryList)\tSTART:");
    EXPECT_EQ(walk[1].text, L"Quorvex(RegistryList)\tEND:");
    EXPECT_EQ(walk[0].type, mdlLog::DebugLog);
    EXPECT_EQ(walk[1].type, mdlLog::DebugLog);

    const auto errors = log->TextsOf(mdlLog::ERRLOG);
    ASSERT_EQ(errors.size(), 1u) << "only the expanded text is an error";
    EXPECT_EQ(errors[0], L"Quorvex(GetRegValue)\t\t-2147221504\tQuorvex\tUnsupported ValueType");
    EXPECT_EQ(log->debugs.size(), 7u) << "one value read per subkey";
}

TEST_F(RegistryListTest, MissingKeyGivesOneErrorBetweenStartAndEnd) {
    EXPECT_EQ(mdlEnumList::RegistryList(L"SOFTWARE\\Nowhere\\", list), kObjectError + 1);
    EXPECT_TRUE(list.Text().empty());
    const auto walk = At(L"(RegistryList)");
    ASSERT_EQ(walk.size(), 3u);
    EXPECT_EQ(walk[0].text, L"Quorvex(RegistryList)\tSTART:");
    EXPECT_EQ(walk[1].type, mdlLog::ERRLOG);
    EXPECT_EQ(walk[1].text.rfind(L"Quorvex(RegistryList)\t\t-2147221503\t(RegistryList)\t", 0), 0u) << walk[1].text;
    EXPECT_EQ(walk[2].text, L"Quorvex(RegistryList)\tEND:");
    EXPECT_EQ(log->events.size(), 3u);
}

TEST_F(RegistryListTest, StopFlagIsPolledBeforeEachSubkey) {
    gblnCancel = true;
    mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, list);
    EXPECT_TRUE(list.Text().empty());
    EXPECT_EQ(machine.registry.openKeys, 0);
    EXPECT_EQ(At(L"(RegistryList)").size(), 2u);

    gblnCancel = false;
    machine.registry.onEnumKey = [](uint32_t index) {
        if (index == 1) gblnCancel = true;
    };
    mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, list);
    EXPECT_EQ(list.Text(), L"{A1}~#Alpha Suite\r\nNoName~#\r\n") << "the subkey in hand is still listed";
    EXPECT_EQ(machine.registry.openKeys, 0);
}

TEST_F(RegistryListTest, OverlongSubkeyNameEndsTheWalk) {
    machine.registry.keys.clear();
    machine.registry.AddUninstallEntry(L"first", L"One");
    machine.registry.AddUninstallEntry(std::wstring(2000, L'k'), L"Too long");
    machine.registry.AddUninstallEntry(L"third", L"Three");
    machine.registry.AddUninstallEntry(std::wstring(1999, L'k'), L"Fits");
    mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, list);
    EXPECT_EQ(list.Text(), L"first~#One\r\n");
    EXPECT_TRUE(log->TextsOf(mdlLog::ERRLOG).empty());
}

TEST_F(RegistryListTest, GetRegValueReportsTypeAndDumpsItsArguments) {
    const std::wstring key = std::wstring(mdlEnumList::kUninstallKey) + L"Expanded\\";
    std::wstring value = L"old";
    int32_t type = 1;
    EXPECT_FALSE(mdlAPI::GetRegValue(platform::kHKeyLocalMachine, key, L"DisplayName", value, type));
    EXPECT_EQ(type, 2);
    EXPECT_EQ(machine.registry.openKeys, 0);

    ASSERT_EQ(log->debugs.size(), 1u);
    EXPECT_EQ(log->debugs[0].first, L"Quorvex(GetRegValue)\t");
    const mdlLog::LogValues& values = log->debugs[0].second;
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(std::get<int32_t>(values[0]), -2147483646) << "the root as a signed 32-bit handle";
    EXPECT_EQ(std::get<std::wstring>(values[1]), key);
    EXPECT_EQ(std::get<std::wstring>(values[2]), L"DisplayName");
    EXPECT_EQ(std::get<int32_t>(values[3]), 1);

    struct Case {
        const wchar_t* subkey;
        const wchar_t* valueName;
        bool found;
        std::wstring value;
    };
    const Case cases[] = {
        {L"{A1}", L"displayname", true, L"Alpha Suite"},
        {L"Empty", L"DisplayName", true, L""},
        {L"NoName", L"DisplayName", false, L"old"},
        {L"Missing", L"DisplayName", false, L"old"},
        {L"Long255", L"DisplayName", false, L"old"},
    };
    log->ClearRecords();
    for (const Case& c : cases) {
        value = L"old";
        type = 1;
        EXPECT_EQ(mdlAPI::GetRegValue(platform::kHKeyLocalMachine, std::wstring(mdlEnumList::kUninstallKey) + c.subkey,
                                      c.valueName, value, type),
                  c.found)
            << c.subkey;
        EXPECT_EQ(value, c.value) << c.subkey;
    }
    EXPECT_TRUE(log->TextsOf(mdlLog::ERRLOG).empty()) << "missing keys and values are not errors";
    EXPECT_EQ(machine.registry.openKeys, 0);
}

// ---- GetFolderPath ----------------------------------------------------------

TEST_F(EnumListTest, GetFolderPathAnswersKnownFoldersOnly) {
    machine.folders.paths[38] = JoinPath({L"C:", L"Program Files"});
    machine.folders.paths[23] = std::wstring(L"C:\0junk", 7);
    EXPECT_EQ(mdlAPI::GetFolderPath(38, 0), JoinPath({L"C:", L"Program Files"}));
    EXPECT_EQ(mdlAPI::GetFolderPath(23, 0), L"C:");
    EXPECT_EQ(mdlAPI::GetFolderPath(99, 0), L"");
    ASSERT_EQ(log->debugs.size(), 3u);
    EXPECT_EQ(log->debugs[0].first, L"Quorvex(GetFolderPath)\t");
    ASSERT_EQ(log->debugs[0].second.size(), 2u);
    EXPECT_EQ(std::get<int32_t>(log->debugs[0].second[0]), 38);
    EXPECT_EQ(std::get<int32_t>(log->debugs[0].second[1]), 0);
    EXPECT_TRUE(log->events.empty()) << "a folder the platform lacks is not an error";
}

// ---- FileList ---------------------------------------------------------------

class FileListTest : public EnumListTest {
protected:
    void SetUp() override {
        EnumListTest::SetUp();
        root = JoinPath({L"C:", L"R"});
        auto& files = machine.files;
        files.AddFile(In({L"a.txt"}));
        files.AddFolder(In({L"S"}));
        files.AddFile(In({L"S", L"b.txt"}));
        files.AddFolder(In({L"S", L"T"}));
        files.AddFolder(In({L"Hidden"}), platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem);
        files.AddFile(In({L"Hidden", L"h.dat"}));
        files.AddLink(In({L"Loop"}), root);
        files.AddFolder(In({L"Locked"})).unreadable = true;
        files.AddFile(In({L"Locked", L"secret"}));
        files.AddFile(In({L"z.txt"}));
    }

    std::wstring In(std::initializer_list<std::wstring_view> parts) const {
        std::wstring path = root;
        for (const auto part : parts) path += platform::PathSep() + std::wstring(part);
        return path;
    }
    // The expected line of a relative path.
    static std::wstring Line(std::initializer_list<std::wstring_view> parts) {
        std::wstring line;
        for (const auto part : parts) line += platform::PathSep() + std::wstring(part);
        return line + L"\r\n";
    }
    int32_t Walk(std::wstring_view path) {
        return mdlEnumList::FileList(path, list, 1, static_cast<int32_t>(root.size()) + 1);
    }

    std::wstring root;
};

TEST_F(FileListTest, DepthFirstRelativeLinesAndLinksNotEntered) {
    const std::wstring expected = Line({L"a.txt"}) + Line({L"S"}) + Line({L"S", L"b.txt"}) + Line({L"S", L"T"}) +
                                  Line({L"Hidden"}) + Line({L"Hidden", L"h.dat"}) + Line({L"Loop"}) +
                                  Line({L"Locked"}) + Line({L"z.txt"});
    EXPECT_EQ(Walk(root), 0);
    EXPECT_EQ(list.Text(), expected);
    EXPECT_EQ(machine.files.openSearches, 0);
    for (const auto& pattern : machine.files.searches) {
        EXPECT_EQ(pattern.find(In({L"Loop"})), std::wstring::npos) << "the link was searched: " << pattern;
    }

    clsEnumList trailing;
    mdlEnumList::FileList(root + platform::PathSep(), trailing, 1, static_cast<int32_t>(root.size()) + 1);
    EXPECT_EQ(trailing.Text(), expected) << "a trailing separator on the root changes nothing";
    EXPECT_TRUE(log->events.empty());
}

TEST_F(FileListTest, MissingFolderAndNonLatinNames) {
    EXPECT_EQ(Walk(In({L"Nowhere"})), 0);
    EXPECT_TRUE(list.Text().empty());

    machine.files.root.children.clear();
    machine.files.AddFolder(In({L"Účty č"}));
    machine.files.AddFile(In({L"Účty č", L"ř.txt"}));
    Walk(root);
    EXPECT_EQ(list.Text(), Line({L"Účty č"}) + Line({L"Účty č", L"ř.txt"}));
}

TEST_F(FileListTest, FoldersAtLevel256AreListedButNotEntered) {
    machine.files.root.children.clear();
    std::wstring path = root;
    for (int level = 1; level <= 300; ++level) {
        path += platform::PathSep() + L"d";
        machine.files.AddFolder(path);
    }
    Walk(root);
    const std::wstring text(list.Text());
    size_t lines = 0;
    size_t longest = 0;
    for (size_t at = 0, next; (next = text.find(L"\r\n", at)) != std::wstring::npos; at = next + 2) {
        ++lines;
        longest = std::max(longest, next - at);
    }
    EXPECT_EQ(lines, 256u);
    EXPECT_EQ(longest, 256u * 2) << "the deepest line names 256 folders";
    EXPECT_EQ(machine.files.openSearches, 0);
}

TEST_F(FileListTest, StopFlagEndsTheWalkAfterTheEntryInHand) {
    machine.files.onEntry = [](const platform::FindEntry& entry) {
        if (entry.Name == L"S") gblnCancel = true;
    };
    Walk(root);
    EXPECT_EQ(list.Text(), Line({L"a.txt"}) + Line({L"S"}));
    EXPECT_EQ(machine.files.openSearches, 0);

    clsEnumList before;
    machine.files.onEntry = nullptr;
    gblnCancel = true;
    mdlEnumList::FileList(root, before, 1, static_cast<int32_t>(root.size()) + 1);
    EXPECT_TRUE(before.Text().empty()) << "the entry in hand is \".\", which is skipped";
}

// ---- ServiceList --------------------------------------------------------------

TEST_F(EnumListTest, ServiceListLinesForServicesThenDrivers) {
    machine.services.services = {{L"Windows Firewall", L"MpsSvc"}, {L"Spooler", L"Spooler"}};
    machine.services.drivers = {{L"Disk Driver", L"disk"}};
    EXPECT_EQ(mdlEnumList::ServiceList(48, 3, list), 0);
    EXPECT_EQ(mdlEnumList::ServiceList(3, 3, list), 0);
    EXPECT_EQ(list.Text(), L"Windows Firewall~#MpsSvc\r\nSpooler~#Spooler\r\nDisk Driver~#disk\r\n");
    ASSERT_EQ(machine.services.calls.size(), 2u);
    EXPECT_EQ(machine.services.calls[0].type, 48u);
    EXPECT_EQ(machine.services.calls[1].type, 3u);
    EXPECT_EQ(machine.services.calls[1].state, 3u);

    clsEnumList cancelled;
    gblnCancel = true;
    mdlEnumList::ServiceList(48, 3, cancelled);
    EXPECT_TRUE(cancelled.Text().empty()) << "the flag is read before the first record";
}

TEST_F(EnumListTest, ServiceListFailuresAreSilentWithTheirNumbers) {
    machine.services.services = {{L"A", L"a"}};
    const std::pair<platform::ServiceEnumResult, int32_t> cases[] = {
        {platform::ServiceEnumResult::OpenFailed, kObjectError + 1},
        {platform::ServiceEnumResult::SizeFailed, kObjectError + 2},
        {platform::ServiceEnumResult::EnumFailed, kObjectError + 3},
    };
    for (const auto& [failure, number] : cases) {
        machine.services.serviceResult = failure;
        EXPECT_EQ(mdlEnumList::ServiceList(48, 3, list), number);
    }
    EXPECT_TRUE(list.Text().empty());
    EXPECT_TRUE(log->events.empty());
}

TEST_F(EnumListTest, ServiceListCutsLongNamesAtTheCopyBuffer) {
    const std::wstring name249(249, L'n');
    const std::wstring longDisplay = std::wstring(300, L'D');
    // A character outside the basic plane straddling the cut must not be split.
    const std::wstring astral = std::wstring(248, L's') + L"\U0001F600" + L"tail";
    const std::wstring astralCut = sizeof(wchar_t) == 2 ? std::wstring(248, L's') : astral.substr(0, 249);
    machine.services.services = {{longDisplay, name249 + L"x"}, {name249, astral}, {std::wstring(L"A\0B", 3), L"s"}};
    mdlEnumList::ServiceList(48, 3, list);
    EXPECT_EQ(list.Text(), std::wstring(249, L'D') + L"~#" + name249 + L"\r\n" + name249 + L"~#" + astralCut + L"\r\n" +
                               L"A~#s\r\n");
}

// ---- ProcessList and DUNList --------------------------------------------------

TEST_F(EnumListTest, ProcessListInSnapshotOrder) {
    machine.processes.processes = {L"System", L"svchost.exe", std::wstring(L"app.exe\0xx", 10)};
    EXPECT_EQ(mdlEnumList::ProcessList(2, list), 0);
    EXPECT_EQ(list.Text(), L"System\r\nsvchost.exe\r\napp.exe\r\n");
    EXPECT_EQ(machine.processes.flags, std::vector<uint32_t>{2});

    clsEnumList cancelled;
    gblnCancel = true;
    mdlEnumList::ProcessList(2, cancelled);
    EXPECT_EQ(cancelled.Text(), L"System\r\n") << "the first entry is in hand before the flag is read";

    clsEnumList failed;
    machine.processes.snapshotOk = false;
    EXPECT_EQ(mdlEnumList::ProcessList(2, failed), kObjectError + 1);
    EXPECT_TRUE(failed.Text().empty());
    EXPECT_TRUE(log->events.empty());
}

TEST_F(EnumListTest, DUNListCountLineThenNames) {
    struct Case {
        std::vector<std::wstring> entries;
        int32_t result;
        std::wstring text;
    };
    const Case cases[] = {
        {{L"A", L"B"}, 0, L"Count=2\r\nA\r\nB\r\n"},
        {{}, 0, L"Count=0\r\n"},
        {{L"A"}, testing_support::FakeDialUp::kNoSupport, L""},
    };
    for (const Case& c : cases) {
        machine.dialUp.entries = c.entries;
        machine.dialUp.result = c.result;
        clsEnumList dun;
        gblnCancel = true;  // not polled
        mdlEnumList::DUNList(dun);
        EXPECT_EQ(dun.Text(), c.text);
    }
}

// ---- DownloadFile ---------------------------------------------------------------

class DownloadTest : public EnumListTest {
protected:
    void SetUp() override {
        EnumListTest::SetUp();
        machine.system.programFolder = JoinPath({L"C:", L"Quorvex"});
        tempFile = JoinPath({L"C:", L"Quorvex", L"~tmdf.tmp"});
    }
    std::wstring tempFile;
};

TEST_F(DownloadTest, ContentIsAppendedUnchangedAndTheTempFileRemoved) {
    const std::wstring content(L"OK\r\nline two\0tail", 17);
    machine.internet.Serve(L"http://bank.example/ok", content);
    EXPECT_EQ(mdlEnumList::DownloadFile(L"http://bank.example/ok", list), 1);
    EXPECT_EQ(list.Text(), content);
    EXPECT_EQ(machine.internet.cacheDeleted, std::vector<std::wstring>{L"http://bank.example/ok"});
    ASSERT_EQ(machine.internet.fetches.size(), 1u);
    EXPECT_EQ(machine.internet.fetches[0].file, tempFile);
    EXPECT_TRUE(machine.files.memoryFiles.empty());
    EXPECT_TRUE(log->events.empty());

    machine.system.programFolder += platform::PathSep();
    const std::wstring big(200000, L'q');
    machine.internet.Serve(L"http://bank.example/big", big);
    mdlEnumList::DownloadFile(L"http://bank.example/big", list);
    EXPECT_EQ(machine.internet.fetches.at(1).file, tempFile) << "no doubled separator";
    EXPECT_EQ(list.Text(), content + big);
    EXPECT_EQ(list.Capacity(), list.Length()) << "a large content goes on in one piece";
}

TEST_F(DownloadTest, FailuresLeaveTheListEmptyAndNoFileBehind) {
    machine.internet.Serve(L"http://h/empty", L"");
    machine.internet.resources[L"http://h/partial"] = {"half a fi", static_cast<int32_t>(0x800C0008u), true};
    machine.internet.resources[L"http://h/vanished"] = {"gone", 0, false};
    machine.internet.Serve(L"http://h/locked", L"locked");
    struct Case {
        const wchar_t* url;
        bool locked;
        int32_t result;
    };
    const Case cases[] = {
        {L"http://h/empty", false, 1},
        {L"http://h/unreachable", false, 1},
        {L"http://h/partial", false, 1},
        {L"http://h/vanished", false, 0},
        {L"http://h/locked", true, 0},
    };
    for (const Case& c : cases) {
        machine.files.lockedFiles.clear();
        if (c.locked) machine.files.lockedFiles.push_back(tempFile);
        clsEnumList fetched;
        EXPECT_EQ(mdlEnumList::DownloadFile(c.url, fetched), c.result) << c.url;
        EXPECT_TRUE(fetched.Text().empty()) << c.url;
        EXPECT_EQ(fetched.Capacity(), 0) << c.url;
        EXPECT_TRUE(machine.files.memoryFiles.empty()) << c.url;
    }
    EXPECT_EQ(machine.internet.cacheDeleted.size(), std::size(cases));
    EXPECT_TRUE(log->events.empty());
}

}  // namespace
