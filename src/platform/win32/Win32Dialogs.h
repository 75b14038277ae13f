#pragma once
// Message boxes through MessageBoxA, or standard error where no box can be seen.

#include "platform/Dialogs.h"

namespace platform::win32 {

class Win32Dialogs final : public Dialogs {
public:
    // Without an interactive desktop (QUORVEX_NO_DIALOGS set in the environment,
    // whatever its value, or a window station that is not visible), or when
    // the box cannot be made, writes "title: text" to standard error and
    // answers kIdOk.
    int32_t MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) override;
};

}  // namespace platform::win32
