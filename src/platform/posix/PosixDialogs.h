#pragma once

#include "platform/Dialogs.h"

namespace platform::posix {

// Below the window toolkit there is no modal box on Linux: the message goes to
// standard error and counts as answered with OK.
class PosixDialogs final : public Dialogs {
public:
    int32_t MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) override;
};

}  // namespace platform::posix
