#pragma once
// The dial-up phone book on Linux: NetworkManager's dial-up-like connection
// profiles, then the ppp peers.

#include <functional>
#include <string>
#include <vector>

#include "platform/DialUp.h"
#include "platform/posix/NetworkManagerClient.h"

namespace platform::posix {

class PosixDialUp final : public DialUp {
public:
    // Fills the profiles and says whether NetworkManager answered.
    using ProfileSource = std::function<bool(std::vector<NetworkManagerClient::Profile>&)>;

    // strRoot is put before every system path and objProfiles stands in for
    // NetworkManager; only tests set them.
    explicit PosixDialUp(std::string strRoot = {}, ProfileSource objProfiles = &NetworkManagerClient::ListProfiles)
        : mRoot(std::move(strRoot)), mProfiles(std::move(objProfiles)) {}
    int32_t EnumEntries(std::vector<std::wstring>& names) override;

private:
    // The profile files, when NetworkManager does not answer; false when none of their folders exists.
    bool ReadProfileFiles(std::vector<std::wstring>& names) const;

    std::string mRoot;
    ProfileSource mProfiles;
};

}  // namespace platform::posix
