#pragma once
// Opening a document or link through the shell.

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell final : public Shell {
public:
    intptr_t Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) override;
};

}  // namespace platform::win32
