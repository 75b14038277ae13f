#pragma once
// Downloads through the URL moniker library, the cache through the
// internet library.

#include "platform/Internet.h"

namespace platform::win32 {

class Win32Internet final : public Internet {
public:
    void DeleteCacheEntry(std::wstring_view strURL) override;
    int32_t DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) override;
};

}  // namespace platform::win32
