#pragma once
// NetworkManager's connection profiles, asked over the system D-Bus. Its
// settings service tells any user every profile with its type, while the
// profile files themselves are readable by the administrator only.

#include <string>
#include <vector>

struct sd_bus_message;

namespace platform::posix {

class NetworkManagerClient {
public:
    struct Profile {
        std::string id;    // the profile's name
        std::string type;  // "gsm", "vpn", "802-11-wireless", ...; empty when not told
    };

    // Every profile, in the order NetworkManager lists them; false when it
    // does not run or does not answer (NetworkManager is never started for this).
    static bool ListProfiles(std::vector<Profile>& profiles);

    // The id and type of one profile from its settings, read from a message
    // whose next argument is the a{sa{sv}} that GetSettings answers. False
    // when the message is not of that shape.
    static bool ReadSettings(sd_bus_message* objMessage, Profile& profile);
};

}  // namespace platform::posix
