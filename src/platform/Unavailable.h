#pragma once
// Concerns a build has no source for yet: each answers as the system call
// fails, so the enumerators above them produce empty lists.

#include "platform/Machine.h"

namespace platform {

class UnavailableRegistry final : public Registry {
public:
    int32_t OpenKeyEx(uint32_t, std::wstring_view, uint32_t, std::unique_ptr<RegistryKey>&) override;
    int32_t OpenKey(uint32_t, std::wstring_view, std::unique_ptr<RegistryKey>&) override;
    bool HasSeparateViews() const override { return false; }
};

class UnavailableServices final : public Services {
public:
    ServiceEnumResult Enumerate(uint32_t, uint32_t, std::vector<ServiceEntry>&) override;
};

class UnavailableProcesses final : public Processes {
public:
    bool Snapshot(uint32_t, std::vector<std::wstring>&) override;
};

class UnavailableDialUp final : public DialUp {
public:
    int32_t EnumEntries(std::vector<std::wstring>&) override;
};

class UnavailableShellFolders final : public ShellFolders {
public:
    int32_t GetFolderPath(int32_t, int32_t, std::wstring&) override;
};

class UnavailableLibraries final : public Libraries {
public:
    uintptr_t Load(std::wstring_view) override { return 0; }
    int32_t Free(uintptr_t) override { return 0; }
};

class UnavailableInternet final : public Internet {
public:
    void DeleteCacheEntry(std::wstring_view) override {}
    int32_t DownloadToFile(std::wstring_view, std::wstring_view) override;
};

class UnavailableShell final : public Shell {
public:
    intptr_t Open(std::wstring_view, std::wstring_view) override { return 0; }
};

}  // namespace platform
