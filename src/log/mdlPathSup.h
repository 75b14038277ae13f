#pragma once
// Path helpers of the logging subsystem.

#include <string>
#include <string_view>

namespace mdlPathSup {

// The folder part of strPath up to and including its last separator, or the
// current folder ("." and the separator) when it has none.
std::wstring GetFilePath(std::wstring_view strPath);

}  // namespace mdlPathSup
