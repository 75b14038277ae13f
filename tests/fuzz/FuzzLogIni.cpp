// log.ini with any bytes: every record type of the default and of a named
// component gets a state the log writer knows.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fakes/TempFolder.h"
#include "log/clsLogCfg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const testing_support::TempFolder root;
    static unsigned run = 0;
    // A new name each time: the profile reader must not serve an earlier input.
    const std::wstring name = L"log" + std::to_wstring(run++) + L".ini";
    root.Write(name, std::string_view(reinterpret_cast<const char*>(data), size));
    clsLogCfg cfg;
    cfg.INIFile(root.File(name));
    for (const wchar_t* component : {L"", L"clsApp", L"Default"}) {
        for (int32_t type = -1; type <= 9; ++type) {
            const int32_t state = cfg.GetSetting(type, clsLogCfg::kFile, component);
            if (state < 0 || state > 3) __builtin_trap();
        }
    }
    std::filesystem::remove(root.Path() / std::filesystem::path(name));
    return 0;
}
