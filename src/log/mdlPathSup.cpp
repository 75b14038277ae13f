#include "log/mdlPathSup.h"

#include "platform/Machine.h"

namespace mdlPathSup {

std::wstring GetFilePath(std::wstring_view strPath) {
    const wchar_t separator = platform::PathSeparator();
    const size_t last = strPath.rfind(separator);
    if (last == std::wstring_view::npos) return std::wstring(L".") + separator;
    return std::wstring(strPath.substr(0, last + 1));
}

}  // namespace mdlPathSup
