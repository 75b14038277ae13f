#pragma once
// The dial-up phone book through the remote-access calls.

#include "platform/DialUp.h"

namespace platform::win32 {

class Win32DialUp final : public DialUp {
public:
    int32_t EnumEntries(std::vector<std::wstring>& names) override;
};

}  // namespace platform::win32
