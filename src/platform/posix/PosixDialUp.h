#pragma once
// The dial-up phone book on Linux: NetworkManager's dial-up-like connection
// profiles, then the ppp peers.

#include <string>

#include "platform/DialUp.h"

namespace platform::posix {

class PosixDialUp final : public DialUp {
public:
    // strRoot is put before every system path; only tests set it.
    explicit PosixDialUp(std::string strRoot = {}) : mRoot(std::move(strRoot)) {}
    int32_t EnumEntries(std::vector<std::wstring>& names) override;

private:
    std::string mRoot;
};

}  // namespace platform::posix
