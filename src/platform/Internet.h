#pragma once
// Download and URL cache concern.

#include <cstdint>
#include <string_view>

namespace platform {

class Internet {
public:
    virtual ~Internet() = default;
    // Drops a cached copy of the address; no cached copy is not an error.
    virtual void DeleteCacheEntry(std::wstring_view strURL) = 0;
    // Fetches the whole resource into strFile, blocking: 0 = stored, anything
    // else = failure.
    virtual int32_t DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) = 0;
};

}  // namespace platform
