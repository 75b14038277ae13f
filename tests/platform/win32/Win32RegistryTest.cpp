// The registry through the seam, against keys the test makes and removes.

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/Machine.h"

namespace {

using platform::RegistryKey;

platform::Registry& Registry() { return *platform::RealMachine().registry; }

// SOFTWARE\QuorvexTest<process id> in the given view, removed with everything below it.
struct TestKey {
    explicit TestKey(REGSAM view) {
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS | view, &software);
        RegCreateKeyExA(software, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    }
    ~TestKey() {
        RegCloseKey(key);
        RegDeleteTreeA(software, name.c_str());
        RegCloseKey(software);
    }
    std::wstring WPath() const { return L"SOFTWARE\\" + platform::FromAnsi(name); }

    const std::string name = "QuorvexTest" + std::to_string(GetCurrentProcessId());
    HKEY software = nullptr, key = nullptr;
};

TEST(Win32RegistryTest, EnumeratesSubkeysAndReadsTheirDisplayNames) {
    const TestKey key(KEY_WOW64_64KEY);
    const struct {
        const char* subkey;
        DWORD type;
        std::string value;
        bool ok;  // fits the buffer of 255 bytes with its NUL
    } cases[] = {
        {"App", REG_EXPAND_SZ, "%SystemRoot%\\app", true},
        {"Fits", REG_SZ, std::string(254, 'f'), true},
        {"TooLong", REG_SZ, std::string(255, 't'), false},
    };
    for (const auto& c : cases) {
        RegSetKeyValueA(key.key, c.subkey, "DisplayName", c.type, c.value.c_str(),
                        static_cast<DWORD>(c.value.size() + 1));
    }

    std::unique_ptr<RegistryKey> opened;
    ASSERT_EQ(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath() + L"\\", platform::kKeyRead, opened), 0);
    std::set<std::wstring> names;
    std::wstring name;
    for (uint32_t index = 0; opened->EnumKey(index, 2000, name) == 0; ++index) names.insert(name);
    EXPECT_EQ(names, (std::set<std::wstring>{L"App", L"Fits", L"TooLong"}));
    EXPECT_NE(opened->EnumKey(0, 2, name), 0) << "a name longer than the buffer fails";

    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> sub;
        ASSERT_EQ(Registry().OpenKey(platform::kHKeyLocalMachine,
                                     key.WPath() + L"\\" + platform::FromAnsi(c.subkey) + L"\\", sub),
                  0);
        uint32_t type = 0;
        std::string bytes;
        EXPECT_EQ(sub->QueryValue(L"DisplayName", 255, type, bytes) == 0, c.ok) << c.subkey;
        if (c.ok) {
            EXPECT_EQ(type, c.type) << c.subkey;
            EXPECT_EQ(bytes, c.value + '\0') << c.subkey;
        }
    }
    std::unique_ptr<RegistryKey> missing;
    EXPECT_NE(Registry().OpenKey(platform::kHKeyLocalMachine, key.WPath() + L"\\Missing\\", missing), 0);
    EXPECT_EQ(missing, nullptr);
}

TEST(Win32RegistryTest, TheTwoViewsAreSeparate) {
    ASSERT_TRUE(Registry().HasSeparateViews());
    const TestKey key(KEY_WOW64_32KEY);
    std::unique_ptr<RegistryKey> opened;
    EXPECT_EQ(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath(),
                                   platform::kKeyRead | platform::kKeyWow64_32, opened),
              0);
    EXPECT_NE(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath(),
                                   platform::kKeyRead | platform::kKeyWow64_64, opened),
              0);
}

}  // namespace
