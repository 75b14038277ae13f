#include "inventory/mdlEnumList.h"

#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "base/VbError.h"
#include "base/gblnCancel.h"
#include "inventory/mdlAPI.h"
#include "log/mdlLog.h"
#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace mdlEnumList {

namespace {

constexpr std::wstring_view kCrLf = L"\r\n";
constexpr const wchar_t* kDelimiter = L"~#";

// Subkey names longer than this (NUL included) end the walk.
constexpr uint32_t kKeyNameChars = 2000;
// Folder levels below the root that are read; deeper folders are listed only.
constexpr int32_t kMaxFolderLevel = 255;
// Service names are kept to what a 250-character buffer holds with its NUL.
constexpr size_t kServiceNameChars = 249;

constexpr const wchar_t* kDownloadFileName = L"~tmdf.tmp";
// What opening a file that is not there raises.
constexpr int32_t kErrFileNotFound = 53;

// The error number an enumerator ended with (0 when none), read inside a handler.
int32_t HandledError() noexcept { return base::CurrentError().Number; }

bool IsHighSurrogate(wchar_t ch) {
    return sizeof(wchar_t) == 2 && static_cast<uint32_t>(ch) >= 0xD800 && static_cast<uint32_t>(ch) <= 0xDBFF;
}

// A service name as the fixed copy buffer would hold it, without ever
// splitting a surrogate pair.
std::wstring_view ServiceName(std::wstring_view strName) {
    strName = base::CutAtNul(strName);
    if (strName.size() <= kServiceNameChars) return strName;
    size_t length = kServiceNameChars;
    if (IsHighSurrogate(strName[length - 1])) --length;
    return strName.substr(0, length);
}

}  // namespace

int32_t RegistryList(std::wstring_view strKey, clsEnumList& objList) {
    int32_t result = 0;
    mdlLog::LogEvent(L"(RegistryList)", L"START:", mdlLog::DebugLog);
    std::unique_ptr<platform::RegistryKey> key;
    try {
        if (platform::Host().registry->OpenKeyEx(platform::kHKeyLocalMachine, strKey, platform::kKeyRead, key) !=
                platform::kErrorSuccess ||
            !key) {
            base::Raise(base::vbObjectError + 1, L"(RegistryList)");
        }
        uint32_t index = 0;
        std::wstring name;
        std::wstring line;
        while (!gblnCancel) {
            name.clear();
            if (key->EnumKey(index, kKeyNameChars, name) != platform::kErrorSuccess) break;
            ++index;
            std::wstring displayName;
            int32_t lngType = platform::kRegSz;
            std::wstring subkey(strKey);
            subkey += name;
            subkey += L'\\';
            if (!mdlAPI::GetRegValue(platform::kHKeyLocalMachine, subkey, L"DisplayName", displayName, lngType)) {
                displayName.clear();
            }
            line.assign(name);
            line += kDelimiter;
            line += displayName;
            line += kCrLf;
            objList.AppendToBuffer(line, 1);
        }
    } catch (...) {
        result = HandledError();
        mdlLog::LogError(L"(RegistryList)", L"", L"");
    }
    key.reset();
    mdlLog::LogEvent(L"(RegistryList)", L"END:", mdlLog::DebugLog);
    return result;
}

int32_t FileList(std::wstring_view strPath, clsEnumList& objList, int32_t lngLevel, int32_t lngStart) {
    const wchar_t sep = platform::PathSeparator();
    try {
        std::wstring_view folder = strPath;
        if (!folder.empty() && folder.back() == sep) folder.remove_suffix(1);
        // The pattern and every line start with the folder: it is written
        // once, the wildcard and then each name after it.
        std::wstring full(folder);
        full += sep;
        const size_t prefix = full.size();
        full += L'*';
        platform::FindEntry entry;
        std::unique_ptr<platform::FolderSearch> search = platform::Host().files->FindFirst(full, entry);
        if (!search) return 0;
        do {
            const std::wstring_view name = base::CutAtNul(entry.Name);
            if (name == L"." || name == L"..") continue;
            full.resize(prefix);
            full += name;
            full += kCrLf;
            objList.AppendToBuffer(full, lngStart);
            // A link or junction is listed but never followed: its target may
            // be an ancestor, and the walk would run around the loop.
            const bool isFolder = (entry.Attributes & platform::kAttrDirectory) != 0;
            const bool isLink = (entry.Attributes & platform::kAttrReparsePoint) != 0;
            if (isFolder && !isLink && lngLevel <= kMaxFolderLevel) {
                full.resize(full.size() - kCrLf.size());
                FileList(full, objList, lngLevel + 1, lngStart);
            }
        } while (!gblnCancel && search->Next(entry));
    } catch (...) {
        return HandledError();
    }
    return 0;
}

int32_t ServiceList(int32_t lngServiceType, int32_t lngServiceState, clsEnumList& objList) {
    try {
        std::vector<platform::ServiceEntry> entries;
        switch (platform::Host().services->Enumerate(static_cast<uint32_t>(lngServiceType),
                                                     static_cast<uint32_t>(lngServiceState), entries)) {
            case platform::ServiceEnumResult::Ok: break;
            case platform::ServiceEnumResult::OpenFailed: base::Raise(base::vbObjectError + 1, L"(ServiceList)");
            case platform::ServiceEnumResult::SizeFailed: base::Raise(base::vbObjectError + 2, L"(ServiceList)");
            case platform::ServiceEnumResult::EnumFailed: base::Raise(base::vbObjectError + 3, L"(ServiceList)");
        }
        std::wstring line;
        for (const platform::ServiceEntry& entry : entries) {
            if (gblnCancel) break;
            objList.AppendToBuffer(ServiceName(entry.DisplayName), 1);
            line.assign(kDelimiter);
            line += ServiceName(entry.ServiceName);
            line += kCrLf;
            objList.AppendToBuffer(line, 1);
        }
    } catch (...) {
        return HandledError();
    }
    return 0;
}

int32_t ProcessList(int32_t lngFlags, clsEnumList& objList) {
    try {
        std::vector<std::wstring> names;
        if (!platform::Host().processes->Snapshot(static_cast<uint32_t>(lngFlags), names)) {
            base::Raise(base::vbObjectError + 1, L"(ProcessList)");
        }
        std::wstring line;
        for (size_t i = 0; i < names.size(); ++i) {
            // The first entry is in hand before the stop flag is looked at.
            if (i > 0 && gblnCancel) break;
            line.assign(base::CutAtNul(names[i]));
            line += kCrLf;
            objList.AppendToBuffer(line, 1);
        }
    } catch (...) {
        return HandledError();
    }
    return 0;
}

int32_t DUNList(clsEnumList& objList) {
    try {
        std::vector<std::wstring> names;
        if (platform::Host().dialUp->EnumEntries(names) != platform::kErrorSuccess) return 0;
        objList.AppendToBuffer((L"Count=" + base::DecStr(static_cast<int64_t>(names.size()))).append(kCrLf), 1);
        std::wstring line;
        for (const std::wstring& name : names) {
            line.assign(base::CutAtNul(name));
            line += kCrLf;
            objList.AppendToBuffer(line, 1);
        }
    } catch (...) {
        return HandledError();
    }
    return 0;
}

int32_t DownloadFile(std::wstring_view strURL, clsEnumList& objList) {
    int32_t result = 0;
    std::wstring path;
    try {
        platform::Machine& host = platform::Host();
        path = host.system->ProgramFolder();
        if (path.empty() || path.back() != platform::PathSeparator()) path += platform::PathSeparator();
        path += kDownloadFileName;
        host.internet->DeleteCacheEntry(strURL);
        if (host.internet->DownloadToFile(strURL, path) == 0) {
            std::string bytes;
            if (!host.files->ReadFile(path, bytes)) base::Raise(kErrFileNotFound);
            if (!bytes.empty()) objList.AppendToBuffer(platform::FromAnsi(bytes), 1);
        }
        result = 1;
    } catch (...) {
        result = 0;
    }
    // Clean-up runs on every way out; its own failures do not matter.
    try {
        if (!path.empty()) {
            platform::FileSystem& files = *platform::Host().files;
            if (files.FileExists(path)) files.DeleteFile(path);
        }
    } catch (...) {
    }
    return result;
}

}  // namespace mdlEnumList
