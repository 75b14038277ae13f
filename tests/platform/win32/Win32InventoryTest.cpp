// Services, processes, dial-up entries, special folders, libraries, the
// shell and the file system against what the running system (wine in the
// test run) provides.

#include <gtest/gtest.h>
#include <windows.h>
// windows.h maps DeleteFile to DeleteFileA; the member keeps its own name.
#undef DeleteFile

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "base/Text.h"
#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/Libraries.h"
#include "platform/Machine.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Services.h"

namespace {

platform::Machine& Real() { return platform::RealMachine(); }

std::vector<platform::ServiceEntry> Services(uint32_t type) {
    std::vector<platform::ServiceEntry> entries;
    EXPECT_EQ(Real().services->Enumerate(type, platform::kServiceStateAll, entries), platform::ServiceEnumResult::Ok);
    return entries;
}

TEST(Win32InventoryTest, ServicesAndDriversHaveNames) {
    EXPECT_FALSE(Services(platform::kServiceWin32).empty());
    for (uint32_t type : {platform::kServiceWin32, platform::kServiceDriver}) {
        for (const auto& entry : Services(type)) EXPECT_FALSE(entry.ServiceName.empty());
    }
}

// A service manager that answers in batches as Windows does (records first,
// names from the end, the resume handle the next entry) and gains a service
// right after the size query.
std::vector<std::string> gServices;
int gEnumCalls = 0;
BOOL WINAPI EnumInBatches(SC_HANDLE, DWORD, DWORD, LPENUM_SERVICE_STATUSA records, DWORD size, LPDWORD needed,
                          LPDWORD returned, LPDWORD resume) {
    if (++gEnumCalls == 2) gServices.push_back("Added");
    char* const begin = reinterpret_cast<char*>(records);
    char* text = begin + size;
    for (*returned = 0, *needed = 0; *resume < gServices.size(); ++*resume, ++*returned) {
        const std::string& name = gServices[*resume];
        if ((*returned + 1) * sizeof(ENUM_SERVICE_STATUSA) + name.size() + 1 > size_t(text - begin)) break;
        text -= name.size() + 1;
        memcpy(text, name.c_str(), name.size() + 1);
        records[*returned] = {text, text, {}};
    }
    for (DWORD rest = *resume; rest < gServices.size(); ++rest) {
        *needed += sizeof(ENUM_SERVICE_STATUSA) + gServices[rest].size() + 1;
    }
    SetLastError(*needed == 0 ? ERROR_SUCCESS : ERROR_MORE_DATA);
    return *needed == 0;
}

// A service added between two calls only makes one more batch: the list comes
// whole, each service once, and a name of the longest kind the service manager
// allows comes whole even when it needs a batch larger than asked for.
TEST(Win32InventoryTest, ServicesComeWholeAcrossBatches) {
    for (uint32_t batchBytes : {uint32_t{256 * 1024}, uint32_t{2 * sizeof(ENUM_SERVICE_STATUSA) + 16}}) {
        gServices = {"Alpha", "Beta", std::string(256, 'n'), "Gamma", "Delta"};
        gEnumCalls = 0;
        std::vector<platform::ServiceEntry> entries;
        EXPECT_EQ(platform::win32::Win32Services(batchBytes, &EnumInBatches).Enumerate(48, 3, entries),
                  platform::ServiceEnumResult::Ok);
        std::vector<std::string> listed;
        for (const auto& entry : entries) listed.push_back(platform::ToAnsi(entry.ServiceName));
        EXPECT_EQ(listed, gServices) << batchBytes;
    }
}

TEST(Win32InventoryTest, TheSnapshotHoldsThisProgramByItsFileNameAndThePhoneBookAndShellAnswer) {
    std::vector<std::wstring> names;
    ASSERT_TRUE(Real().processes->Snapshot(platform::kSnapProcess, names));
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::wstring self = std::filesystem::path(path).filename().wstring();
    EXPECT_TRUE(
        std::any_of(names.begin(), names.end(), [&](const std::wstring& n) { return base::TextEquals(n, self); }));

    names = {L"stale"};
    const int32_t result = Real().dialUp->EnumEntries(names);
    EXPECT_TRUE(result == 0 ? names.size() <= 256u : names.empty()) << result;

    const testing_support::TempFolder folder;
    EXPECT_LE(Real().shell->Open(folder.File(L"missing-document.quorvex"), folder.WPath()), 32);
}

TEST(Win32InventoryTest, SpecialFoldersExistAndUnknownIdsHaveNoPath) {
    for (int32_t folder :
         {platform::kFolderProgramFiles, platform::kFolderProgramFilesX86, platform::kFolderCommonPrograms}) {
        std::wstring path;
        ASSERT_EQ(Real().folders->GetFolderPath(folder, 0, path), 0) << folder;
        EXPECT_TRUE(Real().files->FolderExists(path)) << folder;
    }
    std::wstring path = L"stale";
    EXPECT_NE(Real().folders->GetFolderPath(0x7F, 0, path), 0);
    EXPECT_TRUE(path.empty());
}

// A name without a path is found in the system folder, the Windows folder and
// the folders of PATH, never beside the program or in the current folder; a
// valid library of the other width counts as loaded.
TEST(Win32InventoryTest, BareLibraryNamesAreSearchedAsTheSystemWouldButNotBesideTheProgram) {
    ASSERT_TRUE(platform::HardenLibraryLoading());
    testing_support::TempFolder onPath, current;
    char self[MAX_PATH] = {}, previousPath[32767] = {}, previousFolder[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string program = std::filesystem::path(self).parent_path().string();
    const std::string probe64 = program + "\\quorvexprobe64.dll", probe32 = program + "\\quorvexprobe32.dll";
    ASSERT_TRUE(CopyFileA(probe64.c_str(), (onPath.Path() / "qvxpath64.dll").string().c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(probe32.c_str(), (onPath.Path() / "qvxpath32.dll").string().c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(probe64.c_str(), (current.Path() / "qvxcwd64.dll").string().c_str(), FALSE));
    onPath.Write(L"qvxjunk.dll", "MZ but not a library");
    GetEnvironmentVariableA("PATH", previousPath, sizeof previousPath);
    GetCurrentDirectoryA(MAX_PATH, previousFolder);
    std::string path(1, '"');
    path.append(onPath.Path().string()).append("\";.;").append(program).append(";").append(previousPath);
    SetEnvironmentVariableA("PATH", path.c_str());
    SetCurrentDirectoryA(current.Path().string().c_str());
    const std::pair<std::string, bool> cases[] = {
        {"qvxpath64.dll", true}, {"QVXPATH64", true}, {"qvxpath32.dll", true}, {probe32, true}, {"kernel32", true},
        {"qvxjunk.dll", false},
        {"quorvexprobe64.dll", false},  // beside the program, though its folder is on PATH
        {"qvxcwd64.dll", false},        // in the current folder, though "." is on PATH
    };
    for (const auto& [name, loads] : cases) {
        const uintptr_t handle = Real().libraries->Load(platform::FromAnsi(name));
        EXPECT_EQ(handle != 0, loads) << name;
        EXPECT_EQ(Real().libraries->Free(handle) != 0, loads) << name;
    }
    // The handle is the loader's own, in full width.
    EXPECT_EQ(Real().libraries->Load(L"kernel32.dll"), reinterpret_cast<uintptr_t>(GetModuleHandleA("kernel32.dll")));
    SetCurrentDirectoryA(previousFolder);
    SetEnvironmentVariableA("PATH", previousPath);
}

// The real file system on a disk with only `room` bytes left: a write that
// does not fit is cut short, the next one fails.
class FullDisk final : public platform::win32::Win32FileSystem {
public:
    size_t room = 0;

protected:
    bool WritePiece(void* hFile, const char* data, uint32_t lngBytes, uint32_t& lngWritten) override {
        lngWritten = 0;
        const auto fits = static_cast<uint32_t>(std::min<size_t>(lngBytes, room));
        if (fits == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        const bool ok = Win32FileSystem::WritePiece(hFile, data, fits, lngWritten);
        room -= lngWritten;
        return ok;
    }
};

// A record goes in whole or not at all, so the next one starts a line of its own.
TEST(Win32AppendTest, AFullDiskTearsNoRecord) {
    const struct {
        size_t room;
        const char* content;  // after the long record, then a short one
    } cases[] = {
        {0, "first\r\nnext\r\n"},
        {5, "first\r\nnext\r\n"},
        {1000, "first\r\na long record\r\nnext\r\n"},
    };
    for (const auto& c : cases) {
        testing_support::TempFolder folder;
        const std::wstring file = folder.File(L"log.txt");
        FullDisk disk;
        disk.room = 1000;
        ASSERT_TRUE(disk.AppendText(file, L"first\r\n"));
        disk.room = c.room;
        EXPECT_EQ(disk.AppendText(file, L"a long record\r\n"), c.room >= 15) << c.room;
        disk.room = 1000;
        EXPECT_TRUE(disk.AppendText(file, L"next\r\n")) << c.room;
        EXPECT_EQ(folder.Read(L"log.txt"), c.content) << c.room;
    }
}

}  // namespace
