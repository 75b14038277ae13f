// log.ini with any bytes: every record type of the default and of a named
// component gets a state the log writer knows.
#include "FuzzTarget.h"
#include "log/clsLogCfg.h"

FUZZ_TARGET(bytes) {
    const testing_support::TempFolder folder;
    folder.Write(L"log.ini", bytes);
    clsLogCfg cfg;
    cfg.INIFile(folder.File(L"log.ini"));
    for (const wchar_t* component : {L"", L"clsApp", L"Default"}) {
        for (int32_t type = -1; type <= 9; ++type) {
            const int32_t state = cfg.GetSetting(type, clsLogCfg::kFile, component);
            if (state < 0 || state > 3) __builtin_trap();
        }
    }
}
