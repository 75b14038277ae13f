#include "platform/posix/NetworkManagerClient.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <memory>

namespace platform::posix {

namespace {

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kSettingsPath = "/org/freedesktop/NetworkManager/Settings";
constexpr const char* kSettingsInterface = "org.freedesktop.NetworkManager.Settings";
constexpr const char* kConnectionInterface = "org.freedesktop.NetworkManager.Settings.Connection";
// A scan must not hang on a service that does not answer.
constexpr uint64_t kCallTimeoutUsec = 5'000'000;

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;

Message Call(sd_bus* bus, const char* path, const char* interface, const char* member) {
    sd_bus_message* call = nullptr;
    if (sd_bus_message_new_method_call(bus, &call, kService, path, interface, member) < 0) return nullptr;
    const Message request(call);
    // A diagnosis must not start the network manager of a machine that runs without it.
    if (sd_bus_message_set_auto_start(call, 0) < 0) return nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    const int result = sd_bus_call(bus, call, kCallTimeoutUsec, &error, &reply);
    sd_bus_error_free(&error);
    return result < 0 ? nullptr : Message(reply);
}

// A string held in the variant that comes next; other kinds are skipped and give "".
int ReadStringVariant(sd_bus_message* message, std::string& value) {
    value.clear();
    const char* contents = nullptr;
    int result = sd_bus_message_peek_type(message, nullptr, &contents);
    if (result <= 0) return result < 0 ? result : -EBADMSG;
    if (contents == nullptr || std::strcmp(contents, "s") != 0) return sd_bus_message_skip(message, "v");
    const char* text = nullptr;
    result = sd_bus_message_read(message, "v", "s", &text);
    if (result >= 0 && text != nullptr) value = text;
    return result;
}

int ReadSettingsGroups(sd_bus_message* message, NetworkManagerClient::Profile& profile) {
    int result = sd_bus_message_enter_container(message, 'a', "{sa{sv}}");
    if (result <= 0) return result < 0 ? result : -EBADMSG;
    while ((result = sd_bus_message_enter_container(message, 'e', "sa{sv}")) > 0) {
        const char* group = nullptr;
        if ((result = sd_bus_message_read(message, "s", &group)) < 0) return result;
        const bool connection = std::strcmp(group, "connection") == 0;
        if ((result = sd_bus_message_enter_container(message, 'a', "{sv}")) <= 0) return result < 0 ? result : -EBADMSG;
        while ((result = sd_bus_message_enter_container(message, 'e', "sv")) > 0) {
            const char* key = nullptr;
            if ((result = sd_bus_message_read(message, "s", &key)) < 0) return result;
            if (connection && std::strcmp(key, "id") == 0) {
                result = ReadStringVariant(message, profile.id);
            } else if (connection && std::strcmp(key, "type") == 0) {
                result = ReadStringVariant(message, profile.type);
            } else {
                result = sd_bus_message_skip(message, "v");
            }
            if (result < 0 || (result = sd_bus_message_exit_container(message)) < 0) return result;
        }
        if (result < 0 || (result = sd_bus_message_exit_container(message)) < 0) return result;
        if ((result = sd_bus_message_exit_container(message)) < 0) return result;
    }
    if (result < 0) return result;
    return sd_bus_message_exit_container(message);
}

}  // namespace

bool NetworkManagerClient::ReadSettings(sd_bus_message* objMessage, Profile& profile) {
    profile = {};
    if (ReadSettingsGroups(objMessage, profile) >= 0) return true;
    profile = {};
    return false;
}

bool NetworkManagerClient::ListProfiles(std::vector<Profile>& profiles) {
    profiles.clear();
    sd_bus* opened = nullptr;
    if (sd_bus_open_system(&opened) < 0) return false;
    const Bus bus(opened);
    const Message list = Call(bus.get(), kSettingsPath, kSettingsInterface, "ListConnections");
    if (!list) return false;
    std::vector<std::string> paths;
    if (sd_bus_message_enter_container(list.get(), 'a', "o") <= 0) return false;
    const char* path = nullptr;
    int result;
    while ((result = sd_bus_message_read(list.get(), "o", &path)) > 0) paths.emplace_back(path);
    if (result < 0) return false;
    for (const std::string& connection : paths) {
        // A profile whose settings are not shown (kept for other users) has no known type.
        const Message settings = Call(bus.get(), connection.c_str(), kConnectionInterface, "GetSettings");
        Profile profile;
        if (settings && ReadSettings(settings.get(), profile)) profiles.push_back(std::move(profile));
    }
    return true;
}

}  // namespace platform::posix
