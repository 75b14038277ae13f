#include "platform/posix/PosixServices.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string_view>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

constexpr std::string_view kUnitSuffix = ".service";

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Description= of the [Unit] section; empty when there is none.
std::string UnitDescription(const std::string& path) {
    std::string text;
    if (!ReadSmallFile(path, text)) return {};
    bool inUnit = false;
    for (std::string_view line : SplitLines(text)) {
        line = TrimBlanks(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            inUnit = line == "[Unit]";
            continue;
        }
        if (!inUnit) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos || TrimBlanks(line.substr(0, equals)) != "Description") continue;
        return std::string(TrimBlanks(line.substr(equals + 1)));
    }
    return {};
}

// "# Short-Description:" of an init script's header.
std::string ScriptDescription(const std::string& path) {
    std::string text;
    if (!ReadSmallFile(path, text, 64 * 1024)) return {};
    constexpr std::string_view kKey = "Short-Description:";
    for (std::string_view line : SplitLines(text)) {
        if (line.empty() || line[0] != '#') continue;
        line = TrimBlanks(line.substr(1));
        if (StartsWith(line, kKey)) return std::string(TrimBlanks(line.substr(kKey.size())));
    }
    return {};
}

bool SameFolder(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

struct Found {
    std::string display;
    std::string name;
};

void AddSorted(std::vector<Found>& found, std::vector<ServiceEntry>& entries) {
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.name < b.name; });
    for (Found& item : found) {
        // A description is text of a file, a name is a file name.
        const std::wstring name = FromNativeName(item.name);
        entries.push_back({item.display.empty() ? name : FromAnsi(item.display), name});
    }
}

}  // namespace

ServiceEnumResult PosixServices::Enumerate(uint32_t lngServiceType, uint32_t, std::vector<ServiceEntry>& entries) {
    entries.clear();
    bool readable = false;
    if (lngServiceType & kServiceWin32) readable = AddServices(entries) || readable;
    if (lngServiceType & kServiceDriver) readable = AddDrivers(entries) || readable;
    // Nothing to read from is what a service manager that cannot be opened gives.
    return readable ? ServiceEnumResult::Ok : ServiceEnumResult::OpenFailed;
}

bool PosixServices::AddServices(std::vector<ServiceEntry>& entries) const {
    std::vector<std::string> folders = {mRoot + "/etc/systemd/system", mRoot + "/run/systemd/system",
                                        mRoot + "/usr/local/lib/systemd/system", mRoot + "/usr/lib/systemd/system"};
    // With a merged /usr, /lib/systemd/system is the same folder again.
    const std::string lib = mRoot + "/lib/systemd/system";
    if (IsFolder(lib) && !SameFolder(lib, folders.back())) folders.push_back(lib);

    bool readable = false;
    std::set<std::string> claimed;  // unit names decided by an earlier folder
    std::vector<Found> found;
    for (const std::string& folder : folders) {
        std::vector<FolderItem> items;
        if (!ListFolder(folder, items)) continue;
        readable = true;
        for (const FolderItem& item : items) {
            const std::string& file = item.name;
            if (!EndsWith(file, kUnitSuffix) || file.size() == kUnitSuffix.size()) continue;
            if (!claimed.insert(file).second) continue;
            const std::string unit = file.substr(0, file.size() - kUnitSuffix.size());
            if (EndsWith(unit, "@")) continue;  // a template, not a service
            const std::string path = folder + "/" + file;
            struct stat st {};
            if (::lstat(path.c_str(), &st) != 0) continue;
            if (S_ISLNK(st.st_mode)) {
                char target[PATH_MAX];
                const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
                if (length <= 0) continue;
                const std::string_view to(target, static_cast<size_t>(length));
                // A link to /dev/null masks the unit; one to another name is an alias.
                if (to == "/dev/null" || FileNameOf(to) != file) continue;
            }
            if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            found.push_back({UnitDescription(path), unit});
        }
    }

    const std::string initd = mRoot + "/etc/init.d";
    std::vector<FolderItem> scripts;
    if (ListFolder(initd, scripts)) {
        readable = true;
        for (const FolderItem& item : scripts) {
            if (item.name[0] == '.' || claimed.count(item.name + std::string(kUnitSuffix)) != 0) continue;
            const std::string path = initd + "/" + item.name;
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & 0111) == 0) continue;
            found.push_back({ScriptDescription(path), item.name});
        }
    }
    AddSorted(found, entries);
    return readable;
}

bool PosixServices::AddDrivers(std::vector<ServiceEntry>& entries) const {
    std::vector<Found> found;
    std::string modules;
    if (ReadSmallFile(mRoot + "/proc/modules", modules, 16u << 20)) {
        for (std::string_view line : SplitLines(modules)) {
            const std::string_view name = line.substr(0, line.find(' '));
            if (!name.empty()) found.push_back({std::string(name), std::string(name)});
        }
        AddSorted(found, entries);
        return true;
    }
    // Without /proc/modules: the modules sysfs shows as loaded (built-in ones have no initstate).
    std::vector<FolderItem> items;
    const std::string sysModule = mRoot + "/sys/module";
    if (!ListFolder(sysModule, items)) return false;
    for (const FolderItem& item : items) {
        if (::access((sysModule + "/" + item.name + "/initstate").c_str(), F_OK) == 0) {
            found.push_back({item.name, item.name});
        }
    }
    AddSorted(found, entries);
    return true;
}

}  // namespace platform::posix
