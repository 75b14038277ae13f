#pragma once
// Opening a document or link on Linux: the desktop's opener, started
// directly with an argument vector (never through a shell).

#include <string>

#include "platform/Shell.h"

namespace platform::posix {

class PosixShell final : public Shell {
public:
    // strOpener is the program that opens; only tests name another one.
    explicit PosixShell(std::string strOpener = "xdg-open") : mOpener(std::move(strOpener)) {}
    intptr_t Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) override;

private:
    std::string mOpener;
};

}  // namespace platform::posix
