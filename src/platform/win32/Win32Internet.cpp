#include "platform/win32/Win32Internet.h"

#include <windows.h>
// After windows.h: these need its types.
#include <objbase.h>
#include <urlmon.h>
#include <wininet.h>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

// Watches one download for the server's answer: the download call stores an
// error page as readily as the resource, so the status decides.
class StatusCallback final : public IBindStatusCallback, public IHttpNegotiate {
public:
    DWORD Status() const { return mStatus; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
            *object = static_cast<IBindStatusCallback*>(this);
        } else if (IsEqualIID(riid, IID_IHttpNegotiate)) {
            *object = static_cast<IHttpNegotiate*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    // Lives on the caller's stack for the whole blocking call.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnStartBinding(DWORD, IBinding*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetPriority(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnLowResource(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProgress(ULONG, ULONG, ULONG, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStopBinding(HRESULT, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBindInfo(DWORD* flags, BINDINFO*) override {
        // Ask the server, never a cached copy.
        if (flags != nullptr) *flags |= BINDF_GETNEWESTVERSION | BINDF_PRAGMA_NO_CACHE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnObjectAvailable(REFIID, IUnknown*) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE BeginningTransaction(LPCWSTR, LPCWSTR, DWORD, LPWSTR* headers) override {
        if (headers != nullptr) *headers = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnResponse(DWORD code, LPCWSTR, LPCWSTR, LPWSTR* headers) override {
        mStatus = code;
        if (headers != nullptr) *headers = nullptr;
        return S_OK;
    }

private:
    DWORD mStatus = 0;
};

// COM for the length of one download, balanced; a thread already set up
// another way keeps its own setting.
class ComScope {
public:
    ComScope() : mInitialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (mInitialised) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool mInitialised;
};

// The first status an HTTP server uses for an error.
constexpr DWORD kFirstErrorStatus = 400;

}  // namespace

void Win32Internet::DeleteCacheEntry(std::wstring_view strURL) { DeleteUrlCacheEntryA(ToAnsi(strURL).c_str()); }

int32_t Win32Internet::DownloadToFile(std::wstring_view strURL, std::wstring_view strFile) {
    const std::string url = ToAnsi(strURL);
    const std::string file = ToAnsi(strFile);
    ComScope com;
    StatusCallback callback;
    HRESULT result = URLDownloadToFileA(nullptr, url.c_str(), file.c_str(), 0, &callback);
    if (SUCCEEDED(result) && callback.Status() >= kFirstErrorStatus) result = INET_E_DOWNLOAD_FAILURE;
    // An error page or a partial transfer is not left behind as the resource.
    if (FAILED(result)) DeleteFileA(file.c_str());
    return FAILED(result) ? static_cast<int32_t>(result) : 0;
}

}  // namespace platform::win32
