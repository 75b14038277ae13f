#pragma once
// Downloads on Linux through libcurl.

#include "platform/Internet.h"

namespace platform::posix {

class PosixInternet final : public Internet {
public:
    // A transfer that moves no byte for lngStallSeconds fails; only tests
    // shorten it.
    explicit PosixInternet(long lngStallSeconds = 30) : mStallSeconds(lngStallSeconds) {}
    void DeleteCacheEntry(std::wstring_view strURL) override;
    int32_t DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) override;

private:
    long mStallSeconds;
};

}  // namespace platform::posix
