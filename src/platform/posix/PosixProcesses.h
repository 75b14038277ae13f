#pragma once
// The process snapshot on Linux: the process folders of /proc.

#include <string>

#include "platform/Processes.h"

namespace platform::posix {

class PosixProcesses final : public Processes {
public:
    // strRoot is put before every system path; only tests set it.
    explicit PosixProcesses(std::string strRoot = {}) : mRoot(std::move(strRoot)) {}
    bool Snapshot(uint32_t lngFlags, std::vector<std::wstring>& exeNames) override;

private:
    std::string mRoot;
};

}  // namespace platform::posix
