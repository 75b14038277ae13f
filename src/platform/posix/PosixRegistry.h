#pragma once
// The registry on Linux: the dpkg database seen as the uninstall key. Its
// subkeys are the installed packages, each with a "DisplayName" value; no
// other key exists.

#include <ctime>
#include <memory>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

namespace platform::posix {

class PosixRegistry final : public Registry {
public:
    struct Package {
        std::string name;         // Package, with ":arch" where dpkg-query shows it
        std::string description;  // first line of Description
    };
    using Packages = std::vector<Package>;

    // strStatusFile is the dpkg status file; only tests name another one.
    explicit PosixRegistry(std::string strStatusFile = "/var/lib/dpkg/status");

    int32_t OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t lngAccess,
                      std::unique_ptr<RegistryKey>& key) override;
    int32_t OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<RegistryKey>& key) override;
    bool HasSeparateViews() const override { return false; }

    // The installed packages of a status file's text, in file order.
    static Packages ParseStatus(std::string_view text);

private:
    // The parsed database, read again only when the file changed.
    std::shared_ptr<const Packages> Load();

    std::string mStatusFile;
    std::shared_ptr<const Packages> mPackages;
    std::unordered_map<std::string, size_t> mIndex;  // package name -> position
    off_t mSize = -1;
    timespec mModified{};
};

}  // namespace platform::posix
