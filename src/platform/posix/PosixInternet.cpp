#include "platform/posix/PosixInternet.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

namespace {

constexpr long kConnectSeconds = 15;
constexpr long kMaxRedirects = 10;
// Any failure code of the download call will do (INET_E_DOWNLOAD_FAILURE).
constexpr int32_t kDownloadFailed = static_cast<int32_t>(0x800C0008u);

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class Easy {
public:
    Easy() : mHandle(curl_easy_init()) {}
    ~Easy() {
        if (mHandle != nullptr) curl_easy_cleanup(mHandle);
    }
    Easy(const Easy&) = delete;
    Easy& operator=(const Easy&) = delete;
    CURL* Get() const { return mHandle; }

private:
    CURL* mHandle;
};

class HeaderList {
public:
    ~HeaderList() { curl_slist_free_all(mList); }
    bool Add(const char* header) {
        curl_slist* grown = curl_slist_append(mList, header);
        if (grown == nullptr) return false;
        mList = grown;
        return true;
    }
    curl_slist* Get() const { return mList; }

private:
    curl_slist* mList = nullptr;
};

class OutputFile {
public:
    explicit OutputFile(const std::string& path) : mPath(path), mFile(std::fopen(path.c_str(), "wb")) {}
    ~OutputFile() {
        if (mFile != nullptr) std::fclose(mFile);
        if (!mKeep) std::remove(mPath.c_str());
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    FILE* Get() const { return mFile; }
    // Closes the file and keeps it; false when its last bytes could not be written.
    bool Keep() {
        const bool ok = std::fclose(mFile) == 0;
        mFile = nullptr;
        mKeep = ok;
        return ok;
    }

private:
    std::string mPath;
    FILE* mFile;
    bool mKeep = false;
};

// Proxies come from the environment; this machine's own addresses are
// always reached directly, whatever no_proxy says.
std::string NoProxyList() {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            list.append(",").append(value);
            break;
        }
    }
    return list;
}

size_t WriteBody(char* data, size_t size, size_t count, void* file) {
    return std::fwrite(data, size, count, static_cast<FILE*>(file)) * size;
}

}  // namespace

// Nothing is cached here: every request asks the server (no-cache headers).
void PosixInternet::DeleteCacheEntry(std::wstring_view) {}

int32_t PosixInternet::DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) {
    if (strURL.empty()) return kDownloadFailed;
    InitialiseOnce();
    Easy easy;
    HeaderList headers;
    if (easy.Get() == nullptr || !headers.Add("Cache-Control: no-cache") || !headers.Add("Pragma: no-cache")) {
        return kDownloadFailed;
    }
    // A failed or partial transfer leaves no file behind.
    OutputFile file(NativePath(strFile));
    if (file.Get() == nullptr) return kDownloadFailed;

    const std::string url = NativePath(strURL);
    CURL* curl = easy.Get();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https,ftp,ftps");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp,ftps");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    // An error page is not the resource.
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, mStallSeconds);
    const std::string noProxy = NoProxyList();
    curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxy.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.Get());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, file.Get());

    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) return kDownloadFailed;
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) return kDownloadFailed;
    return file.Keep() ? 0 : kDownloadFailed;
}

}  // namespace platform::posix
