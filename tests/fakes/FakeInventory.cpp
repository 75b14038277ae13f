#include "fakes/FakeInventory.h"

#include <algorithm>

#include "base/Text.h"
#include "platform/AnsiCodePage.h"

namespace testing_support {

namespace {

std::vector<std::wstring> Split(std::wstring_view strPath, wchar_t sep) {
    std::vector<std::wstring> parts(1);
    for (const wchar_t ch : strPath) {
        if (ch == sep) parts.emplace_back();
        if (ch != sep) parts.back() += ch;
    }
    return parts;
}

std::wstring Fold(std::wstring_view strPath) {
    while (!strPath.empty() && strPath.back() == L'\\') strPath.remove_suffix(1);
    return base::UCase(strPath);
}

class FakeKeyHandle final : public platform::RegistryKey {
public:
    FakeKeyHandle(FakeRegistry& registry, std::wstring strPath) : mRegistry(registry), mPath(std::move(strPath)) {
        ++mRegistry.openKeys;
    }
    ~FakeKeyHandle() override { --mRegistry.openKeys; }

    int32_t EnumKey(uint32_t lngIndex, uint32_t lngMaxChars, std::wstring& strName) override {
        if (mRegistry.onEnumKey) mRegistry.onEnumKey(lngIndex);
        const FakeRegistry::Key& key = mRegistry.keys.at(mPath);
        if (lngIndex >= key.subkeys.size()) return FakeRegistry::kNoMoreItems;
        const FakeRegistry::Key& child = mRegistry.keys.at(key.subkeys[lngIndex]);
        if (child.name.size() + 1 > lngMaxChars) return FakeRegistry::kMoreData;
        strName = child.name;
        return platform::kErrorSuccess;
    }

    int32_t QueryValue(std::wstring_view strValueName, uint32_t lngBufferBytes, uint32_t& lngType,
                       std::string& bytes) override {
        const auto& values = mRegistry.keys.at(mPath).values;
        const auto value = values.find(base::UCase(strValueName));
        if (value == values.end()) return FakeRegistry::kFileNotFound;
        std::string encoded = platform::ToAnsi(value->second.text) + '\0';
        lngType = value->second.type;
        if (encoded.size() > lngBufferBytes) return FakeRegistry::kMoreData;
        bytes = std::move(encoded);
        return platform::kErrorSuccess;
    }

private:
    FakeRegistry& mRegistry;
    std::wstring mPath;
};

class FakeSearch final : public platform::FolderSearch {
public:
    FakeSearch(FakeFolders& folders, std::vector<platform::FindEntry> entries)
        : mFolders(folders), mEntries(std::move(entries)) {
        ++mFolders.openSearches;
    }
    ~FakeSearch() override { --mFolders.openSearches; }

    bool Next(platform::FindEntry& entry) override {
        if (mNext >= mEntries.size()) return false;
        entry = mEntries[mNext++];
        if (mFolders.onEntry) mFolders.onEntry(entry);
        return true;
    }

private:
    FakeFolders& mFolders;
    std::vector<platform::FindEntry> mEntries;
    size_t mNext = 0;
};

}  // namespace

std::wstring JoinPath(std::initializer_list<std::wstring_view> parts) {
    std::wstring path;
    for (const std::wstring_view& part : parts) {
        if (&part != parts.begin()) path += platform::PathSeparator();
        path += part;
    }
    return path;
}

void FakeRegistry::AddUninstallEntry(std::wstring_view strSubkey, std::optional<std::wstring> displayName,
                                     uint32_t lngType) {
    // Each new key is appended to its parent's subkeys.
    std::wstring parent;
    const std::wstring full = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + std::wstring(strSubkey);
    for (const std::wstring& name : Split(full, L'\\')) {
        const std::wstring path = parent.empty() ? Fold(name) : parent + L'\\' + Fold(name);
        if (keys.try_emplace(path, Key{name, {}, {}}).second) keys[parent].subkeys.push_back(path);
        parent = path;
    }
    if (displayName) keys[parent].values[L"DISPLAYNAME"] = Value{lngType, *displayName};
}

int32_t FakeRegistry::OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                                std::unique_ptr<platform::RegistryKey>& key) {
    openAccess.push_back(lngAccess);
    if (separateViews && view32 != nullptr && (lngAccess & platform::kKeyWow64_32) != 0) {
        return view32->OpenKey(hRoot, strPath, key);
    }
    return OpenKey(hRoot, strPath, key);
}

int32_t FakeRegistry::OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<platform::RegistryKey>& key) {
    key.reset();
    const std::wstring folded = Fold(strPath);
    if (hRoot != platform::kHKeyLocalMachine || keys.find(folded) == keys.end()) return kFileNotFound;
    key = std::make_unique<FakeKeyHandle>(*this, folded);
    return platform::kErrorSuccess;
}

FakeFolders::Node* FakeFolders::Node::Child(std::wstring_view strName) const {
    for (const auto& child : children) {
        if (child->name == strName) return child.get();
    }
    return nullptr;
}

FakeFolders::Node& FakeFolders::Add(std::wstring_view strPath, uint32_t lngAttributes) {
    Node* node = &root;
    for (const std::wstring& part : Split(strPath, platform::PathSeparator())) {
        Node* child = node->Child(part);
        if (child == nullptr) {
            child = node->children.emplace_back(std::make_unique<Node>()).get();
            child->name = part;
            child->attributes = platform::kAttrDirectory;
        }
        node = child;
    }
    node->attributes = lngAttributes;
    return *node;
}

FakeFolders::Node& FakeFolders::AddLink(std::wstring_view strPath, std::wstring_view strTarget) {
    Node& link = Add(strPath, platform::kAttrDirectory | platform::kAttrReparsePoint);
    link.linkTarget.assign(strTarget);
    return link;
}

FakeFolders::Node* FakeFolders::Resolve(std::wstring_view strPath, int depth) {
    if (depth > 40) return nullptr;  // a link cycle: the system gives up too
    Node* node = &root;
    for (const std::wstring& part : Split(strPath, platform::PathSeparator())) {
        if (!node->linkTarget.empty()) node = Resolve(node->linkTarget, depth + 1);
        if (node == nullptr) return nullptr;
        node = node->Child(part);
        if (node == nullptr) return nullptr;
    }
    if (!node->linkTarget.empty()) node = Resolve(node->linkTarget, depth + 1);
    return node;
}

std::unique_ptr<platform::FolderSearch> FakeFolders::FindFirst(std::wstring_view strPattern, platform::FindEntry& first) {
    searches.emplace_back(strPattern);
    const std::wstring wildcard = std::wstring(1, platform::PathSeparator()) + L"*";
    if (!strPattern.ends_with(wildcard)) return nullptr;
    const Node* folder = Find(strPattern.substr(0, strPattern.size() - wildcard.size()));
    if (folder == nullptr || folder->unreadable || (folder->attributes & platform::kAttrDirectory) == 0) return nullptr;
    std::vector<platform::FindEntry> entries = {{L".", platform::kAttrDirectory}, {L"..", platform::kAttrDirectory}};
    for (const auto& child : folder->children) entries.push_back({child->name, child->attributes});
    auto search = std::make_unique<FakeSearch>(*this, std::move(entries));
    search->Next(first);
    return search;
}

bool FakeFolders::FileExists(std::wstring_view strPath) {
    if (memoryFiles.count(std::wstring(strPath)) != 0) return true;
    return underlying != nullptr && underlying->FileExists(strPath);
}

bool FakeFolders::FolderExists(std::wstring_view strPath) {
    const Node* node = Find(strPath);
    if (node != nullptr && (node->attributes & platform::kAttrDirectory) != 0) return true;
    return underlying != nullptr && underlying->FolderExists(strPath);
}

bool FakeFolders::DeleteFile(std::wstring_view strPath) {
    if (memoryFiles.erase(std::wstring(strPath)) != 0) return true;
    return underlying != nullptr && underlying->DeleteFile(strPath);
}

bool FakeFolders::ReadFile(std::wstring_view strPath, std::string& bytes) {
    if (std::find(lockedFiles.begin(), lockedFiles.end(), strPath) != lockedFiles.end()) return false;
    const auto file = memoryFiles.find(std::wstring(strPath));
    if (file == memoryFiles.end()) return underlying != nullptr && underlying->ReadFile(strPath, bytes);
    bytes = file->second;
    return true;
}

platform::ServiceEnumResult FakeServices::Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                                    std::vector<platform::ServiceEntry>& entries) {
    calls.push_back({lngServiceType, lngServiceState});
    entries.clear();
    if (serviceResult != platform::ServiceEnumResult::Ok) return serviceResult;
    if ((lngServiceType & platform::kServiceWin32) != 0) entries.insert(entries.end(), services.begin(), services.end());
    if ((lngServiceType & platform::kServiceDriver) != 0) entries.insert(entries.end(), drivers.begin(), drivers.end());
    return platform::ServiceEnumResult::Ok;
}

int32_t FakeShellFolders::GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) {
    queries.push_back({lngFolder, lngFlags});
    const auto found = paths.find(lngFolder);
    strPath = found == paths.end() ? std::wstring() : found->second;
    return found == paths.end() ? static_cast<int32_t>(0x80070002u) : 0;  // the "not found" of the shell
}

void FakeInternet::Serve(std::wstring_view strURL, std::wstring_view strText) {
    resources[std::wstring(strURL)] = Resource{platform::ToAnsi(strText), 0, true};
}

int32_t FakeInternet::DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) {
    fetches.push_back({std::wstring(strURL), std::wstring(strFile)});
    const auto found = resources.find(std::wstring(strURL));
    if (found == resources.end()) return static_cast<int32_t>(0x800C0005u);  // unreachable
    const Resource& resource = found->second;
    // A failing resource with content leaves it behind as a partial file.
    const bool leavesFile = resource.writeFile && (resource.result == 0 || !resource.content.empty());
    if (leavesFile) store->memoryFiles[std::wstring(strFile)] = resource.content;
    return resource.result;
}

uintptr_t FakeLibraries::Load(std::wstring_view strName) {
    const auto found = libraries.find(std::wstring(strName));
    return found == libraries.end() ? 0 : found->second;
}

int32_t FakeLibraries::Free(uintptr_t hModule) {
    freed.push_back(hModule);
    return std::any_of(libraries.begin(), libraries.end(), [&](const auto& entry) { return entry.second == hModule; });
}

}  // namespace testing_support
