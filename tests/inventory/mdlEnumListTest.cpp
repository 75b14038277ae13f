#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "base/VbError.h"
#include "base/gblnCancel.h"
#include "fakes/FakeMachine.h"
#include "fakes/RecordingLog.h"
#include "inventory/mdlAPI.h"
#include "inventory/mdlEnumList.h"

namespace {

using testing_support::FakeDialUp;

constexpr int32_t kObjectError = base::vbObjectError;
const std::wstring kUninstall = mdlEnumList::kUninstallKey;

// A path written with "/" in the platform's separator.
std::wstring P(std::wstring_view path) {
    std::wstring out(path);
    for (wchar_t& ch : out) ch = ch == L'/' ? platform::PathSeparator() : ch;
    return out;
}

class EnumListTest : public ::testing::Test {
protected:
    EnumListTest() { gblnCancel = false; }
    ~EnumListTest() override { gblnCancel = false; }

    void AddUninstallEntries() {
        for (const auto& [key, name] : std::vector<std::pair<std::wstring, std::optional<std::wstring>>>{
                 {L"{A1}", L"Alpha Suite"}, {L"NoName", std::nullopt}, {L"Long254", std::wstring(254, L'a')},
                 {L"Long255", std::wstring(255, L'b')}, {L"Empty", L""}}) {
            machine.registry.AddUninstallEntry(key, name);
        }
        machine.registry.AddUninstallEntry(L"Expanded", L"%ProgramFiles%\\x", 2);
    }
    // The event records as "type:text" lines.
    std::wstring Records() const {
        std::wstring records;
        for (const auto& event : log->events) records += std::to_wstring(event.type) + L":" + event.text + L"\n";
        return records;
    }

    testing_support::FakeMachine machine;
    testing_support::ScopedRecordingLog log;
    clsEnumList list;
};

TEST_F(EnumListTest, RegistryListLinesRecordsAndStops) {
    AddUninstallEntries();
    EXPECT_EQ(mdlEnumList::RegistryList(kUninstall, list), 0);
    EXPECT_EQ(list.Text(), L"{A1}~#Alpha Suite\r\nNoName~#\r\nLong254~#" + std::wstring(254, L'a') +
                               L"\r\nLong255~#\r\nEmpty~#\r\nExpanded~#\r\n");
    EXPECT_EQ(Records(), L"3:Quorvex(RegistryList)\tSTART:\n"
                         L"2:Quorvex(GetRegValue)\t\t-2147221504\tQuorvex\tUnsupported ValueType\n"
                         L"3:Quorvex(RegistryList)\tEND:\n");
    EXPECT_EQ(log->debugs.size(), 6u) << "one value read per subkey";
    EXPECT_EQ(machine.registry.openAccess, std::vector<uint32_t>{platform::kKeyRead});

    clsEnumList stopped;
    machine.registry.onEnumKey = [](uint32_t index) { gblnCancel = index == 1; };
    mdlEnumList::RegistryList(kUninstall, stopped);
    EXPECT_EQ(stopped.Text(), L"{A1}~#Alpha Suite\r\nNoName~#\r\n") << "the subkey in hand is still listed";
    mdlEnumList::RegistryList(kUninstall, stopped);
    EXPECT_EQ(stopped.Length(), 29) << "the flag is read before the first subkey";
    EXPECT_EQ(machine.registry.openKeys, 0);

    log->ClearRecords();
    EXPECT_EQ(mdlEnumList::RegistryList(L"SOFTWARE\\Nowhere\\", list), kObjectError + 1);
    EXPECT_EQ(Records().rfind(L"3:Quorvex(RegistryList)\tSTART:\n"
                              L"2:Quorvex(RegistryList)\t\t-2147221503\t(RegistryList)\t", 0), 0u);
    EXPECT_EQ(log->events.back().text, L"Quorvex(RegistryList)\tEND:");
}

// A name that leaves no room for its NUL in 2000 characters ends the walk without an error.
TEST_F(EnumListTest, RegistryListEndsAtANameTooLong) {
    for (const std::wstring& key : {std::wstring(L"first"), std::wstring(2000, L'k'), std::wstring(1999, L'k')}) {
        machine.registry.AddUninstallEntry(key, L"N");
    }
    mdlEnumList::RegistryList(kUninstall, list);
    EXPECT_EQ(list.Text(), L"first~#N\r\n");
    EXPECT_TRUE(log->TextsOf(mdlLog::ERRLOG).empty());
}

TEST_F(EnumListTest, GetRegValueAndGetFolderPath) {
    AddUninstallEntries();
    std::wstring value;
    int32_t type = 1;
    EXPECT_FALSE(
        mdlAPI::GetRegValue(platform::kHKeyLocalMachine, kUninstall + L"Expanded", L"displayname", value, type));
    EXPECT_EQ(type, 2);
    ASSERT_EQ(log->debugs.size(), 1u);
    EXPECT_EQ(log->debugs[0].first, L"Quorvex(GetRegValue)\t");
    EXPECT_EQ(std::get<int32_t>(log->debugs[0].second.at(0)), -2147483646) << "the root as a signed 32-bit handle";
    log->ClearRecords();
    const std::tuple<const wchar_t*, const wchar_t*, bool, std::wstring> cases[] = {
        {L"{A1}", L"displayname", true, L"Alpha Suite"}, {L"Empty", L"DisplayName", true, L""},
        {L"NoName", L"DisplayName", false, L"old"},      {L"Missing", L"DisplayName", false, L"old"},
        {L"Long255", L"DisplayName", false, L"old"},
    };
    for (const auto& [subkey, name, found, expected] : cases) {
        value = L"old";
        EXPECT_EQ(mdlAPI::GetRegValue(platform::kHKeyLocalMachine, kUninstall + subkey, name, value, type), found)
            << subkey;
        EXPECT_EQ(value, expected) << subkey;
    }
    EXPECT_EQ(machine.registry.openKeys, 0);

    machine.folders.paths[38] = P(L"C:/Program Files");
    machine.folders.paths[23] = std::wstring(L"C:\0junk", 7);
    EXPECT_EQ(mdlAPI::GetFolderPath(38, 0), P(L"C:/Program Files"));
    EXPECT_EQ(mdlAPI::GetFolderPath(23, 0), L"C:");
    EXPECT_EQ(mdlAPI::GetFolderPath(99, 0), L"");
    EXPECT_TRUE(log->events.empty()) << "missing keys, values and folders are not errors";
}

TEST_F(EnumListTest, FileListDepthFirstLinksNotEnteredDepthLimitAndStops) {
    const std::wstring root = P(L"C:/R");
    auto& files = machine.files;
    for (const wchar_t* file : {L"C:/R/a.txt", L"C:/R/S/b.txt", L"C:/R/Hidden/h.dat", L"C:/R/Locked/secret"}) {
        files.AddFile(P(file));
    }
    files.AddFolder(P(L"C:/R/S/T"));
    files.AddFolder(P(L"C:/R/Hidden"), platform::kAttrDirectory | platform::kAttrHidden | platform::kAttrSystem);
    files.AddLink(P(L"C:/R/Loop"));
    files.Find(P(L"C:/R/Locked"))->unreadable = true;
    files.AddFile(P(L"C:/R/z.txt"));
    const auto walk = [&](std::wstring_view path, clsEnumList& into) {
        return mdlEnumList::FileList(path, into, 1, static_cast<int32_t>(root.size()) + 1);
    };
    const std::wstring expected =
        P(L"/a.txt\r\n/S\r\n/S/b.txt\r\n/S/T\r\n/Hidden\r\n/Hidden/h.dat\r\n/Locked\r\n/Loop\r\n/z.txt\r\n");
    EXPECT_EQ(walk(root, list), 0);
    EXPECT_EQ(list.Text(), expected);
    clsEnumList other;
    EXPECT_EQ(walk(root + platform::PathSep(), other), 0);
    EXPECT_EQ(walk(P(L"C:/R/Nowhere"), other), 0);
    EXPECT_EQ(other.Text(), expected) << "a trailing separator changes nothing, a missing folder adds nothing";
    for (const auto& pattern : files.searches) EXPECT_EQ(pattern.find(P(L"/Loop")), std::wstring::npos);
    EXPECT_TRUE(log->events.empty());

    files.onEntry = [](const platform::FindEntry& entry) { gblnCancel = gblnCancel || entry.Name == L"S"; };
    other.Dispose();
    walk(root, other);
    walk(root, other);  // a stop before the walk: "." is in hand and skipped
    EXPECT_EQ(other.Text(), P(L"/a.txt\r\n/S\r\n")) << "the entry in hand is still listed";
    gblnCancel = false;

    files.root.children.clear();
    std::wstring path = root;
    for (int level = 1; level <= 300; ++level) files.AddFolder(path += P(L"/d"));
    clsEnumList deep;
    walk(root, deep);
    std::wstring deepest;
    for (size_t level = 1; level <= 256; ++level) deepest += path.substr(root.size(), 2 * level) + L"\r\n";
    EXPECT_EQ(deep.Text(), deepest) << "folders at level 256 are listed but not entered";
    EXPECT_EQ(files.openSearches, 0);
}

TEST_F(EnumListTest, ServiceListLayoutNameCutsAndFailures) {
    // Names are cut at 249 characters, after a NUL, and never inside a surrogate pair.
    const std::wstring name249(249, L'n');
    const std::wstring astral = std::wstring(248, L's') + L"\U0001F600" + L"tail";
    machine.services.services = {
        {std::wstring(300, L'D'), name249 + L"x"}, {name249, astral}, {std::wstring(L"A\0B", 3), L"s"}};
    machine.services.drivers = {{L"Disk Driver", L"disk"}};
    EXPECT_EQ(mdlEnumList::ServiceList(48, 3, list), 0);
    EXPECT_EQ(mdlEnumList::ServiceList(3, 1, list), 0);
    EXPECT_EQ(list.Text(), std::wstring(249, L'D') + L"~#" + name249 + L"\r\n" + name249 + L"~#" +
                               (sizeof(wchar_t) == 2 ? std::wstring(248, L's') : astral.substr(0, 249)) +
                               L"\r\nA~#s\r\nDisk Driver~#disk\r\n");
    ASSERT_EQ(machine.services.calls.size(), 2u);
    EXPECT_EQ(machine.services.calls[1].type, 3u);
    EXPECT_EQ(machine.services.calls[1].state, 1u);

    clsEnumList failed;
    int32_t number = kObjectError;
    for (auto failure : {platform::ServiceEnumResult::OpenFailed, platform::ServiceEnumResult::SizeFailed,
                         platform::ServiceEnumResult::EnumFailed}) {
        machine.services.serviceResult = failure;
        EXPECT_EQ(mdlEnumList::ServiceList(48, 3, failed), ++number);
    }
    machine.services.serviceResult = platform::ServiceEnumResult::Ok;
    gblnCancel = true;
    EXPECT_EQ(mdlEnumList::ServiceList(48, 3, failed), 0);
    EXPECT_TRUE(failed.Text().empty()) << "the stop flag is read before the first record";
    EXPECT_TRUE(log->events.empty());
}

TEST_F(EnumListTest, ProcessAndDialUpLists) {
    machine.processes.processes = {L"System", std::wstring(L"app.exe\0xx", 10)};
    EXPECT_EQ(mdlEnumList::ProcessList(2, list), 0);
    EXPECT_EQ(machine.processes.flags, std::vector<uint32_t>{2});
    machine.processes.snapshotOk = false;
    EXPECT_EQ(mdlEnumList::ProcessList(2, list), kObjectError + 1);
    machine.processes.snapshotOk = true;
    gblnCancel = true;  // ProcessList has the first entry in hand before reading it; DUNList never reads it
    mdlEnumList::ProcessList(2, list);
    EXPECT_EQ(list.Text(), L"System\r\napp.exe\r\nSystem\r\n");
    EXPECT_TRUE(log->events.empty());

    const std::tuple<std::vector<std::wstring>, int32_t, std::wstring> cases[] = {
        {{L"A", L"B"}, 0, L"Count=2\r\nA\r\nB\r\n"}, {{}, 0, L"Count=0\r\n"}, {{L"A"}, FakeDialUp::kNoSupport, L""}};
    for (const auto& [entries, result, text] : cases) {
        machine.dialUp.entries = entries;
        machine.dialUp.result = result;
        clsEnumList dun;
        EXPECT_EQ(mdlEnumList::DUNList(dun), 0);
        EXPECT_EQ(dun.Text(), text);
    }
}

TEST_F(EnumListTest, DownloadFile) {
    machine.system.programFolder = P(L"C:/Quorvex/");
    const std::wstring tempFile = P(L"C:/Quorvex/~tmdf.tmp");
    const std::wstring content = std::wstring(L"OK\r\n\0", 5) + std::wstring(200000, L'q');
    machine.internet.Serve(L"http://h/ok", content);
    EXPECT_EQ(mdlEnumList::DownloadFile(L"http://h/ok", list), 1);
    EXPECT_EQ(list.Text(), content);
    EXPECT_EQ(list.Capacity(), list.Length()) << "a large content goes on in one piece";
    EXPECT_EQ(machine.internet.downloadedTo.at(0), tempFile) << "no doubled separator";
    EXPECT_TRUE(machine.files.memoryFiles.empty());

    machine.system.programFolder.pop_back();
    machine.internet.resources[L"http://h/partial"] = {"half a fi", static_cast<int32_t>(0x800C0008u), true};
    machine.internet.resources[L"http://h/vanished"] = {"gone", 0, false};
    machine.internet.Serve(L"http://h/locked", L"locked");
    const std::pair<const wchar_t*, int32_t> failures[] = {
        {L"http://h/unreachable", 1}, {L"http://h/partial", 1}, {L"http://h/vanished", 0}, {L"http://h/locked", 0}};
    for (const auto& [url, result] : failures) {
        if (std::wstring_view(url) == L"http://h/locked") machine.files.lockedFiles.push_back(tempFile);
        clsEnumList fetched;
        EXPECT_EQ(mdlEnumList::DownloadFile(url, fetched), result) << url;
        EXPECT_EQ(fetched.Capacity(), 0) << url;
        EXPECT_TRUE(machine.files.memoryFiles.empty()) << url;
        EXPECT_EQ(machine.internet.downloadedTo.back(), tempFile);
    }
    EXPECT_EQ(machine.internet.cacheDeleted.back(), L"http://h/locked");
    EXPECT_EQ(machine.internet.cacheDeleted.size(), 5u);
    EXPECT_TRUE(log->events.empty());
}

}  // namespace
