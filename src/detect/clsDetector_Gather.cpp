// Gathering the inventory list a track is tested against, once per
// EnumListID and check.
#include <memory>

#include "base/Text.h"
#include "detect/clsDetector.h"
#include "inventory/mdlAPI.h"
#include "inventory/mdlEnumList.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"

namespace {

constexpr const wchar_t* kWhere = L"[clsDetector] (SetEnumList)";
constexpr std::wstring_view kCrLf = L"\r\n";

// The registry as seen through its 32-bit view: every key this walk opens
// gets the view selector added to its access.
class Wow64_32Registry final : public platform::Registry {
public:
    explicit Wow64_32Registry(platform::Registry& inner) : mInner(inner) {}
    int32_t OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                      std::unique_ptr<platform::RegistryKey>& key) override {
        return mInner.OpenKeyEx(hRoot, strPath, lngAccess | platform::kKeyWow64_32, key);
    }
    int32_t OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<platform::RegistryKey>& key) override {
        return mInner.OpenKeyEx(hRoot, strPath, platform::kKeyRead | platform::kKeyWow64_32, key);
    }
    bool HasSeparateViews() const override { return false; }

private:
    platform::Registry& mInner;
};

}  // namespace

void clsDetector::SetEnumList(const clsTrack& objTrack) {
    const std::wstring& strID = objTrack.EnumListID();
    if (mcolEnumLists->Item(strID)) return;

    auto objList = std::make_shared<clsEnumList>();
    try {
        mdlLog::LogEvent(kWhere, L"START:" + strID, mdlLog::DebugLog);
        const std::wstring& strClass = objTrack.Class();
        bool blnStore = true;
        if (strClass == L"DUN") {
            mdlEnumList::DUNList(*objList);
        } else if (strClass == L"LOADLIBRARY") {
            GatherLibrary(objTrack, *objList);
        } else if (strClass == L"PROGRAMFILES") {
            std::wstring strFirst;
            GatherFolder(platform::kFolderProgramFiles, *objList, &strFirst);
            // The 32-bit program folder of a 64-bit system, when it is another folder.
            const std::wstring strSecond = mdlAPI::GetFolderPath(platform::kFolderProgramFilesX86, 0);
            if (!strSecond.empty() && !base::TextEquals(strSecond, strFirst)) {
                mdlEnumList::FileList(strSecond, *objList, 1, static_cast<int32_t>(strSecond.size()) + 1);
            }
        } else if (strClass == L"PROCESS") {
            mdlEnumList::ProcessList(platform::kSnapProcess, *objList);
        } else if (strClass == L"REGISTRY") {
            GatherRegistry(*objList);
        } else if (strClass == L"SERVICE") {
            mdlEnumList::ServiceList(platform::kServiceWin32, platform::kServiceStateAll, *objList);
            if (mblnCancel) blnStore = false;
            else mdlEnumList::ServiceList(platform::kServiceDriver, platform::kServiceStateAll, *objList);
        } else if (strClass == L"STARTMENU") {
            GatherFolder(platform::kFolderCommonPrograms, *objList);
            if (mblnCancel) blnStore = false;
            else GatherFolder(platform::kFolderPrograms, *objList);
        } else if (strClass == L"DOWNLOADFILE") {
            mdlEnumList::DownloadFile(objTrack.InputValue(), *objList);
        }
        if (blnStore) mcolEnumLists->Add(objList, strID, -1, -1);
    } catch (...) {
        mdlLog::LogError(kWhere, L"", L"");
    }
    mdlLog::LogEvent(kWhere, L"END:", mdlLog::DebugLog);
}

// A folder the platform does not have is skipped rather than walked from the
// root of the current drive.
void clsDetector::GatherFolder(int32_t lngFolder, clsEnumList& objList, std::wstring* pstrPathOut) {
    const std::wstring strPath = mdlAPI::GetFolderPath(lngFolder, 0);
    if (pstrPathOut != nullptr) *pstrPathOut = strPath;
    if (strPath.empty()) return;
    mdlEnumList::FileList(strPath, objList, 1, static_cast<int32_t>(strPath.size()) + 1);
}

// Where the registry keeps separate 64-bit and 32-bit views, programs of
// both kinds register for uninstall: the walk visits the native view, then
// the 32-bit one.
void clsDetector::GatherRegistry(clsEnumList& objList) {
    platform::Registry& registry = *platform::Host().registry;
    mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, objList);
    if (!registry.HasSeparateViews()) return;
    Wow64_32Registry view32(registry);
    platform::Machine viewMachine;
    viewMachine.registry = &view32;
    const platform::ScopedMachine scope(viewMachine);
    mdlEnumList::RegistryList(mdlEnumList::kUninstallKey, objList);
}

// The handle is written in full width: a 64-bit handle cut to 32 bits could
// read 0 for a library that did load.
void clsDetector::GatherLibrary(const clsTrack& objTrack, clsEnumList& objList) {
    platform::Libraries& libraries = *platform::Host().libraries;
    const uintptr_t hModule = libraries.Load(objTrack.InputValue());
    const std::wstring strHandle = base::DecStr(static_cast<int64_t>(hModule));
    objList.AppendToBuffer(L"LoadLibrary(" + objTrack.InputValue() + L")=" + strHandle + std::wstring(kCrLf), 1);
    if (hModule != 0) libraries.Free(hModule);
    objList.AppendToBuffer(L"FreeLibrary(" + objTrack.InputValue() + L")=" + strHandle + std::wstring(kCrLf), 1);
}
