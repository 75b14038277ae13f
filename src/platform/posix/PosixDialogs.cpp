#include "platform/posix/PosixDialogs.h"

#include <cstdio>

#include "platform/AnsiCodePage.h"

namespace platform::posix {

int32_t PosixDialogs::MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t) {
    std::wstring line(strTitle);
    line += L": ";
    line += strText;
    line += L"\n";
    const std::string bytes = ToAnsi(line);
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    std::fflush(stderr);
    return kIdOk;
}

}  // namespace platform::posix

namespace platform {

// The system puts up no error boxes of its own here.
void SuppressSystemErrorBoxes() {}

}  // namespace platform
