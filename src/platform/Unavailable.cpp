#include "platform/Unavailable.h"

namespace platform {

namespace {
// ERROR_FILE_NOT_FOUND: what the registry answers for a key that is not there.
constexpr int32_t kErrorFileNotFound = 2;
// Any failure code other than success will do for the others.
constexpr int32_t kErrorNotSupported = 50;
}  // namespace

int32_t UnavailableRegistry::OpenKeyEx(uint32_t, std::wstring_view, uint32_t, std::unique_ptr<RegistryKey>& key) {
    key.reset();
    return kErrorFileNotFound;
}

int32_t UnavailableRegistry::OpenKey(uint32_t, std::wstring_view, std::unique_ptr<RegistryKey>& key) {
    key.reset();
    return kErrorFileNotFound;
}

ServiceEnumResult UnavailableServices::Enumerate(uint32_t, uint32_t, std::vector<ServiceEntry>& entries) {
    entries.clear();
    return ServiceEnumResult::OpenFailed;
}

bool UnavailableProcesses::Snapshot(uint32_t, std::vector<std::wstring>& exeNames) {
    exeNames.clear();
    return false;
}

int32_t UnavailableDialUp::EnumEntries(std::vector<std::wstring>& names) {
    names.clear();
    return kErrorNotSupported;
}

int32_t UnavailableShellFolders::GetFolderPath(int32_t, int32_t, std::wstring& strPath) {
    strPath.clear();
    return kErrorNotSupported;
}

int32_t UnavailableInternet::DownloadToFile(std::wstring_view, std::wstring_view) { return kErrorNotSupported; }

}  // namespace platform
