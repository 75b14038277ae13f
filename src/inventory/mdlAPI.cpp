#include "inventory/mdlAPI.h"

#include <memory>

#include "base/Text.h"
#include "base/VbError.h"
#include "log/mdlLog.h"
#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace mdlAPI {

namespace {

// The value buffer: 255 bytes, the terminating NUL included.
constexpr uint32_t kValueBufferBytes = 255;

}  // namespace

bool GetRegValue(uint32_t hKeyRoot, std::wstring_view vKey, std::wstring_view strValueName, std::wstring& vValue,
                 int32_t& lngType) {
    // Root handles are signed 32-bit numbers to the rest of the program.
    mdlLog::LogDebug(L"(GetRegValue)", static_cast<int32_t>(hKeyRoot), vKey, strValueName, lngType);
    bool result = false;
    std::unique_ptr<platform::RegistryKey> key;
    try {
        if (platform::Host().registry->OpenKey(hKeyRoot, vKey, key) != platform::kErrorSuccess) key.reset();
        if (key) {
            uint32_t type = 0;
            std::string bytes;
            if (key->QueryValue(strValueName, kValueBufferBytes, type, bytes) == platform::kErrorSuccess) {
                lngType = static_cast<int32_t>(type);
                if (type != platform::kRegSz) base::Raise(base::vbObjectError, {}, L"Unsupported ValueType");
                if (bytes.size() < 2) {
                    vValue.clear();
                } else {
                    vValue.assign(base::CutAtNul(platform::FromAnsi(std::string_view(bytes).substr(0, bytes.size() - 1))));
                }
                result = true;
            }
        }
    } catch (...) {
        mdlLog::LogError(L"(GetRegValue)", L"", L"");
        result = false;
    }
    key.reset();
    return result;
}

std::wstring GetFolderPath(int32_t lngFolder, int32_t lngFlags) {
    mdlLog::LogDebug(L"(GetFolderPath)", lngFolder, lngFlags);
    try {
        std::wstring strPath;
        if (platform::Host().folders->GetFolderPath(lngFolder, lngFlags, strPath) != platform::kErrorSuccess) return {};
        return std::wstring(base::CutAtNul(strPath));
    } catch (...) {
        mdlLog::LogError(L"(GetFolderPath)", L"", L"");
        return {};
    }
}

}  // namespace mdlAPI
