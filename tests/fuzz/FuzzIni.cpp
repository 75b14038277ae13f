// The INI reader on any bytes: every name it lists must be found again.
#include "FuzzTarget.h"
#include "platform/posix/IniFile.h"

FUZZ_TARGET(bytes) {
    const platform::posix::IniFile ini(bytes);
    for (const std::wstring& section : ini.SectionNames()) {
        for (const std::wstring& key : ini.KeyNames(section)) {
            if (ini.Find(section, key) == nullptr) __builtin_trap();
        }
    }
    ini.Find(L"General", L"Count");
}
