#pragma once
// Program texts to file-system names and back.

#include <string>
#include <string_view>

#include "platform/AnsiCodePage.h"

namespace platform::posix {

inline std::string NativePath(std::wstring_view strPath) { return ToAnsi(strPath); }

}  // namespace platform::posix
