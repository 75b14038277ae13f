#include "platform/posix/PosixDialUp.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

// What the phone book answers without dial-up support (ERROR_CANNOT_OPEN_PHONEBOOK)
// and when the entries do not fit its 256 records (ERROR_BUFFER_TOO_SMALL).
constexpr int32_t kErrorNoPhoneBook = 621;
constexpr int32_t kErrorBufferTooSmall = 603;
constexpr size_t kMaxEntries = 256;

constexpr std::string_view kProfileSuffix = ".nmconnection";

bool IsDialUpType(std::string_view type) {
    static const std::set<std::string_view> kTypes = {"gsm", "cdma", "pppoe", "vpn", "wireguard", "bluetooth"};
    return kTypes.count(type) != 0;
}

// The profile's name (its id, else the name it came with) and type; the
// type stays empty when the file cannot be read (they are the administrator's).
std::string ReadProfile(const std::string& path, std::wstring& name) {
    std::string text;
    if (!ReadSmallFile(path, text)) return {};
    std::string_view id, type;
    bool inConnection = false;
    for (std::string_view line : SplitLines(text)) {
        line = TrimBlanks(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line[0] == '[') {
            inConnection = line == "[connection]";
            continue;
        }
        if (!inConnection) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = TrimBlanks(line.substr(0, equals));
        const std::string_view value = TrimBlanks(line.substr(equals + 1));
        if (key == "id" && id.empty()) id = value;
        if (key == "type" && type.empty()) type = value;
    }
    if (!id.empty()) name = FromAnsi(id);
    return std::string(type);
}

}  // namespace

bool PosixDialUp::ReadProfileFiles(std::vector<std::wstring>& names) const {
    const std::string folders[] = {mRoot + "/etc/NetworkManager/system-connections",
                                   mRoot + "/run/NetworkManager/system-connections",
                                   mRoot + "/usr/lib/NetworkManager/system-connections"};
    bool supported = false;
    std::set<std::string> seen;  // an earlier folder's profile hides a later one of the same file name
    for (const std::string& folder : folders) {
        std::vector<FolderItem> items;
        if (!ListFolder(folder, items)) continue;
        supported = true;
        for (const FolderItem& item : items) {
            const std::string& file = item.name;
            if (file.size() <= kProfileSuffix.size() ||
                file.compare(file.size() - kProfileSuffix.size(), kProfileSuffix.size(), kProfileSuffix) != 0) {
                continue;
            }
            if (!seen.insert(file).second) continue;
            std::wstring name = FromNativeName(file.substr(0, file.size() - kProfileSuffix.size()));
            // A profile of unknown type is not counted: it is most likely Wi-Fi or Ethernet.
            if (IsDialUpType(ReadProfile(folder + "/" + file, name))) names.push_back(std::move(name));
        }
    }
    return supported;
}

int32_t PosixDialUp::EnumEntries(std::vector<std::wstring>& names) {
    names.clear();
    bool supported = false;
    std::vector<NetworkManagerClient::Profile> profiles;
    if (mProfiles && mProfiles(profiles)) {
        supported = true;
        // NetworkManager keeps no fixed order: by name, so that lists are reproducible.
        std::stable_sort(profiles.begin(), profiles.end(),
                         [](const auto& a, const auto& b) { return a.id < b.id; });
        for (const NetworkManagerClient::Profile& profile : profiles) {
            if (IsDialUpType(profile.type)) names.push_back(FromAnsi(profile.id));
        }
    } else {
        supported = ReadProfileFiles(names);
    }
    const std::string peers = mRoot + "/etc/ppp/peers";
    std::vector<FolderItem> items;
    if (ListFolder(peers, items)) {
        supported = true;
        for (const FolderItem& item : items) {
            struct stat st {};
            if (item.name[0] == '.' || ::stat((peers + "/" + item.name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
                continue;
            }
            names.push_back(FromNativeName(item.name));
        }
    }
    if (!supported) return kErrorNoPhoneBook;
    if (names.size() > kMaxEntries) {
        names.clear();
        return kErrorBufferTooSmall;
    }
    return 0;
}

}  // namespace platform::posix
