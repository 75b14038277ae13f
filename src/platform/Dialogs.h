#pragma once
// Modal message boxes below the window toolkit (the log writer's, the
// detector's): where no window can be shown, the text goes to standard error
// and the answer is OK.

#include <cstdint>
#include <string_view>

namespace platform {

inline constexpr uint32_t kMbOk = 0x0;
inline constexpr uint32_t kMbOkCancel = 0x1;
inline constexpr uint32_t kMbIconExclamation = 0x30;
inline constexpr uint32_t kMbIconInformation = 0x40;
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows strText under strTitle with the buttons and icon of lngFlags;
    // returns the chosen button (kIdOk, kIdCancel, ...).
    virtual int32_t MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) = 0;
};

// Called once at program start: the system shows none of its own error boxes
// (a library that cannot be loaded, a drive without media), which would stop
// a scan until someone clicks. Other error-mode settings are kept.
void SuppressSystemErrorBoxes();

}  // namespace platform
