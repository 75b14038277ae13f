#pragma once
// The process snapshot through the tool-help calls.

#include "platform/Processes.h"

namespace platform::win32 {

class Win32Processes final : public Processes {
public:
    bool Snapshot(uint32_t lngFlags, std::vector<std::wstring>& exeNames) override;
};

}  // namespace platform::win32
