// The INI reader on any bytes: every name it lists must be found again.
#include <cstdint>
#include <string_view>

#include "platform/posix/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const platform::posix::IniFile ini(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::wstring& section : ini.SectionNames()) {
        for (const std::wstring& key : ini.KeyNames(section)) {
            if (ini.Find(section, key) == nullptr) __builtin_trap();
        }
    }
    ini.Find(L"General", L"Count");
    return 0;
}
