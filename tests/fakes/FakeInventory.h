#pragma once
// In-memory inventory sources for tests: a registry, a folder tree, services
// and drivers, processes, dial-up entries, special folders, a download server
// and loadable libraries. Members are public so that a test fills them
// directly; a FakeMachine installs all of them.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Machine.h"

namespace testing_support {

// Key paths are relative to the local-machine root, joined with "\" and
// compared without regard to case; a trailing "\" does not matter.
class FakeRegistry final : public platform::Registry {
public:
    struct Value {
        uint32_t type = platform::kRegSz;
        std::wstring text;  // stored in the ANSI code page with its NUL
    };
    struct Key {
        std::wstring name;                      // last part, as given
        std::vector<std::wstring> subkeys;      // folded paths, in enumeration order
        std::map<std::wstring, Value> values;   // by folded value name
    };

    // Error codes the registry answers with.
    static constexpr int32_t kFileNotFound = 2;
    static constexpr int32_t kMoreData = 234;
    static constexpr int32_t kNoMoreItems = 259;

    // Keys by folded path.
    std::map<std::wstring, Key> keys;
    bool separateViews = false;
    // What the 32-bit view holds while separateViews is set; null: the same
    // keys as the native view.
    FakeRegistry* view32 = nullptr;
    // Called before each subkey enumeration with its index (e.g. to set a stop flag).
    std::function<void(uint32_t)> onEnumKey;
    // Keys open right now: every way out of a walk must bring it back to 0.
    int openKeys = 0;
    // Access masks passed to OpenKeyEx, in call order.
    std::vector<uint32_t> openAccess;

    // One uninstall entry: a subkey of the uninstall key, with a "DisplayName"
    // of the given type when displayName is set.
    void AddUninstallEntry(std::wstring_view strSubkey, std::optional<std::wstring> displayName,
                           uint32_t lngType = platform::kRegSz);

    int32_t OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                      std::unique_ptr<platform::RegistryKey>& key) override;
    int32_t OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<platform::RegistryKey>& key) override;
    bool HasSeparateViews() const override { return separateViews; }
};

// FindFirst walks an in-memory tree; the other file operations see the
// in-memory files first (downloads land there) and fall through to the file
// system underneath (the real one when installed by FakeMachine), so log
// files and temporary folders still work.
class FakeFolders final : public platform::FileSystem {
public:
    struct Node {
        std::wstring name;
        uint32_t attributes = platform::kAttrNormal;
        bool unreadable = false;      // a search of it fails (access denied)
        std::wstring linkTarget;      // a link or junction: searches of it show the target
        std::vector<std::unique_ptr<Node>> children;  // in the order the search returns them
        Node* Child(std::wstring_view strName) const;
    };

    Node root;  // parent of the first path parts ("" for a POSIX root, "C:" for a drive)
    // Files that exist only in memory, by full path.
    std::map<std::wstring, std::string> memoryFiles;
    // Paths whose reading fails even though they exist (locked).
    std::vector<std::wstring> lockedFiles;
    // The file system underneath for everything the tree does not answer;
    // null: those operations fail.
    platform::FileSystem* underlying = platform::Host().files;
    // Folders the program asked to create, in order.
    std::vector<std::wstring> created;
    // Called for every entry a search hands out, "." and ".." included.
    std::function<void(const platform::FindEntry&)> onEntry;
    // Patterns passed to FindFirst, in call order; searches open right now.
    std::vector<std::wstring> searches;
    int openSearches = 0;

    // Paths are split at the platform separator. Parents are created as folders.
    Node& AddFolder(std::wstring_view strPath, uint32_t lngAttributes = platform::kAttrDirectory) {
        return Add(strPath, lngAttributes | platform::kAttrDirectory);
    }
    Node& AddFile(std::wstring_view strPath) { return Add(strPath, platform::kAttrArchive); }
    // A folder link (reparse point) whose search shows strTarget's entries.
    Node& AddLink(std::wstring_view strPath, std::wstring_view strTarget);
    Node* Find(std::wstring_view strPath) { return Resolve(strPath, 0); }

    std::unique_ptr<platform::FolderSearch> FindFirst(std::wstring_view strPattern, platform::FindEntry& first) override;
    bool CreateFolder(std::wstring_view strPath) override {
        created.emplace_back(strPath);
        return underlying != nullptr && underlying->CreateFolder(strPath);
    }
    bool FileExists(std::wstring_view strPath) override;
    bool FolderExists(std::wstring_view strPath) override;
    bool DeleteFile(std::wstring_view strPath) override;
    bool ReadFile(std::wstring_view strPath, std::string& bytes) override;
    bool AppendText(std::wstring_view strPath, std::wstring_view strText) override {
        return underlying != nullptr && underlying->AppendText(strPath, strText);
    }

private:
    Node& Add(std::wstring_view strPath, uint32_t lngAttributes);
    Node* Resolve(std::wstring_view strPath, int depth);
};

class FakeServices final : public platform::Services {
public:
    std::vector<platform::ServiceEntry> services;  // answered for type 48
    std::vector<platform::ServiceEntry> drivers;   // answered for type 3
    platform::ServiceEnumResult serviceResult = platform::ServiceEnumResult::Ok;  // for every call
    struct Call {
        uint32_t type;
        uint32_t state;
    };
    std::vector<Call> calls;

    platform::ServiceEnumResult Enumerate(uint32_t lngServiceType, uint32_t lngServiceState,
                                          std::vector<platform::ServiceEntry>& entries) override;
};

class FakeProcesses final : public platform::Processes {
public:
    std::vector<std::wstring> processes;  // executable names in snapshot order
    bool snapshotOk = true;
    std::vector<uint32_t> flags;          // flags of each snapshot taken

    bool Snapshot(uint32_t lngFlags, std::vector<std::wstring>& exeNames) override {
        flags.push_back(lngFlags);
        exeNames = snapshotOk ? processes : std::vector<std::wstring>();
        return snapshotOk;
    }
};

class FakeDialUp final : public platform::DialUp {
public:
    // What the phone book answers when there is no dial-up support.
    static constexpr int32_t kNoSupport = 632;
    std::vector<std::wstring> entries;
    int32_t result = 0;

    int32_t EnumEntries(std::vector<std::wstring>& names) override {
        names = result == 0 ? entries : std::vector<std::wstring>();
        return result;
    }
};

class FakeShellFolders final : public platform::ShellFolders {
public:
    std::map<int32_t, std::wstring> paths;  // by folder id; missing ids have no path
    struct Query {
        int32_t folder;
        int32_t flags;
    };
    std::vector<Query> queries;

    int32_t GetFolderPath(int32_t lngFolder, int32_t lngFlags, std::wstring& strPath) override;
};

// Serves addresses from a table into FakeFolders' in-memory files.
class FakeInternet final : public platform::Internet {
public:
    struct Resource {
        std::string content;      // bytes in the ANSI code page
        int32_t result = 0;       // 0 = stored; anything else = failure
        bool writeFile = true;    // false: answer success but store nothing (a vanished file)
    };
    std::map<std::wstring, Resource> resources;  // addresses not listed are unreachable
    FakeFolders* store = nullptr;                // where downloads are written
    std::vector<std::wstring> cacheDeleted;      // addresses dropped from the cache, in order
    struct Fetch {
        std::wstring url;
        std::wstring file;
    };
    std::vector<Fetch> fetches;

    // Serves text: written in the ANSI code page.
    void Serve(std::wstring_view strURL, std::wstring_view strText);

    void DeleteCacheEntry(std::wstring_view strURL) override { cacheDeleted.emplace_back(strURL); }
    int32_t DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) override;
};

class FakeLibraries final : public platform::Libraries {
public:
    std::map<std::wstring, uintptr_t> libraries;  // loadable names and their handles
    std::vector<uintptr_t> freed;                  // handles released, in order

    uintptr_t Load(std::wstring_view strName) override;
    int32_t Free(uintptr_t hModule) override;
};

// Joins path parts with the platform separator.
std::wstring JoinPath(std::initializer_list<std::wstring_view> parts);

}  // namespace testing_support
