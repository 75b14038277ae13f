#include "platform/posix/PosixRegistry.h"

#include <sys/stat.h>

#include "base/Text.h"
#include "platform/AnsiCodePage.h"
#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

constexpr int32_t kErrorFileNotFound = 2;
constexpr int32_t kErrorMoreData = 234;
constexpr int32_t kErrorNoMoreItems = 259;
constexpr std::wstring_view kUninstallKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The uninstall key: its subkeys are the packages.
class UninstallKey final : public RegistryKey {
public:
    explicit UninstallKey(std::shared_ptr<const PosixRegistry::Packages> packages) : mPackages(std::move(packages)) {}

    int32_t EnumKey(uint32_t lngIndex, uint32_t lngMaxChars, std::wstring& strName) override {
        strName.clear();
        if (lngIndex >= mPackages->size()) return kErrorNoMoreItems;
        std::wstring name = FromAnsi((*mPackages)[lngIndex].name);
        if (name.size() + 1 > lngMaxChars) return kErrorMoreData;
        strName = std::move(name);
        return kErrorSuccess;
    }

    int32_t QueryValue(std::wstring_view, uint32_t, uint32_t& lngType, std::string& bytes) override {
        bytes.clear();
        return kErrorFileNotFound;
    }

private:
    std::shared_ptr<const PosixRegistry::Packages> mPackages;
};

// One package's key: no subkeys, one text value "DisplayName".
class PackageKey final : public RegistryKey {
public:
    explicit PackageKey(std::string description) : mDescription(std::move(description)) {}

    int32_t EnumKey(uint32_t, uint32_t, std::wstring& strName) override {
        strName.clear();
        return kErrorNoMoreItems;
    }

    int32_t QueryValue(std::wstring_view strValueName, uint32_t lngBufferBytes, uint32_t& lngType,
                       std::string& bytes) override {
        bytes.clear();
        if (!base::TextEquals(strValueName, L"DisplayName")) return kErrorFileNotFound;
        lngType = kRegSz;
        if (mDescription.size() + 1 > lngBufferBytes) return kErrorMoreData;
        bytes.assign(mDescription);
        bytes.push_back('\0');
        return kErrorSuccess;
    }

private:
    std::string mDescription;
};

}  // namespace

PosixRegistry::PosixRegistry(std::string strStatusFile) : mStatusFile(std::move(strStatusFile)) {}

PosixRegistry::Packages PosixRegistry::ParseStatus(std::string_view text) {
    struct Record {
        std::string_view package, arch, description;
        bool multiArchSame;
    };
    std::vector<Record> installed;
    Record record{};
    std::string_view status;
    auto finish = [&]() {
        // Packages whose triggers are still to run are installed all the same.
        const std::string_view state = status.substr(status.find_last_of(' ') + 1);
        if (!record.package.empty() &&
            (state == "installed" || state == "triggers-pending" || state == "triggers-awaited")) {
            installed.push_back(record);
        }
        record = {};
        status = {};
    };
    for (std::string_view line : SplitLines(text)) {
        if (TrimBlanks(line).empty()) {
            finish();
            continue;
        }
        if (line[0] == ' ' || line[0] == '\t') continue;  // continuation of a field
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string_view field = line.substr(0, colon);
        const std::string_view value = TrimBlanks(line.substr(colon + 1));
        if (field == "Package") {
            record.package = value;
        } else if (field == "Architecture") {
            record.arch = value;
        } else if (field == "Status") {
            status = value;
        } else if (field == "Description") {
            record.description = value;
        } else if (field == "Multi-Arch") {
            record.multiArchSame = value == "same";
        }
    }
    finish();

    // The native architecture is dpkg's own; without dpkg in the database, the most common one.
    std::string_view native;
    std::unordered_map<std::string_view, size_t> counts;
    for (const Record& item : installed) {
        if (item.package == "dpkg") native = item.arch;
        if (!item.arch.empty() && item.arch != "all") ++counts[item.arch];
    }
    if (native.empty()) {
        size_t most = 0;
        for (const auto& [arch, count] : counts) {
            if (count > most || (count == most && arch < native)) {
                native = arch;
                most = count;
            }
        }
    }
    // Named as dpkg-query writes ${binary:Package}: with ":arch" for Multi-Arch: same
    // and for packages of a foreign architecture.
    Packages packages;
    packages.reserve(installed.size());
    for (const Record& item : installed) {
        std::string name(item.package);
        if (!item.arch.empty() && (item.multiArchSame || (item.arch != native && item.arch != "all"))) {
            name.append(":").append(item.arch);
        }
        packages.push_back({std::move(name), std::string(item.description)});
    }
    return packages;
}

std::shared_ptr<const PosixRegistry::Packages> PosixRegistry::Load() {
    struct stat st {};
    if (::stat(mStatusFile.c_str(), &st) != 0) {
        mPackages.reset();
        return nullptr;
    }
    // The walk opens one key per package: parse once, not once per package.
    if (mPackages && st.st_size == mSize && st.st_mtim.tv_sec == mModified.tv_sec &&
        st.st_mtim.tv_nsec == mModified.tv_nsec) {
        return mPackages;
    }
    std::string text;
    if (!ReadSmallFile(mStatusFile, text, static_cast<size_t>(1) << 31)) {
        mPackages.reset();
        return nullptr;
    }
    mPackages = std::make_shared<const Packages>(ParseStatus(text));
    mIndex.clear();
    for (size_t i = 0; i < mPackages->size(); ++i) mIndex.emplace((*mPackages)[i].name, i);
    mSize = st.st_size;
    mModified = st.st_mtim;
    return mPackages;
}

int32_t PosixRegistry::OpenKeyEx(uint32_t hRoot, std::wstring_view strPath, uint32_t,
                                 std::unique_ptr<RegistryKey>& key) {
    key.reset();
    if (hRoot != kHKeyLocalMachine) return kErrorFileNotFound;
    while (!strPath.empty() && strPath.back() == L'\\') strPath.remove_suffix(1);
    if (strPath.size() < kUninstallKey.size() ||
        !base::TextEquals(strPath.substr(0, kUninstallKey.size()), kUninstallKey)) {
        return kErrorFileNotFound;
    }
    const std::wstring_view rest = strPath.substr(kUninstallKey.size());
    if (!rest.empty() && rest[0] != L'\\') return kErrorFileNotFound;
    const auto packages = Load();
    if (!packages) return kErrorFileNotFound;
    if (rest.empty()) {
        key = std::make_unique<UninstallKey>(packages);
        return kErrorSuccess;
    }
    const std::string name = ToAnsi(rest.substr(1));
    const auto found = mIndex.find(name);
    if (found == mIndex.end()) return kErrorFileNotFound;
    key = std::make_unique<PackageKey>((*packages)[found->second].description);
    return kErrorSuccess;
}

int32_t PosixRegistry::OpenKey(uint32_t hRoot, std::wstring_view strPath, std::unique_ptr<RegistryKey>& key) {
    return OpenKeyEx(hRoot, strPath, kKeyRead, key);
}

}  // namespace platform::posix
