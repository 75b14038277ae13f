// The registry through the seam, against keys the test makes and removes.

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/Machine.h"

namespace {

using platform::RegistryKey;

platform::Registry& Registry() { return *platform::RealMachine().registry; }

// SOFTWARE\<stem><process id> in the given view, removed with everything below it.
class TestKey {
public:
    TestKey(const char* stem, REGSAM view)
        : mName(stem + std::to_string(GetCurrentProcessId())), mView(view) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + mName).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | mView,
                        nullptr, &mKey, nullptr);
    }
    ~TestKey() {
        RegDeleteTreeA(mKey, nullptr);
        RegCloseKey(mKey);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + mName).c_str(), mView, 0);
    }
    bool Made() const { return mKey != nullptr; }
    void Sub(const char* name, DWORD type, const std::string& displayName) const {
        HKEY sub = nullptr;
        RegCreateKeyExA(mKey, name, 0, nullptr, 0, KEY_ALL_ACCESS | mView, nullptr, &sub, nullptr);
        if (type != REG_NONE) {
            RegSetValueExA(sub, "DisplayName", 0, type, reinterpret_cast<const BYTE*>(displayName.c_str()),
                           static_cast<DWORD>(displayName.size() + 1));
        }
        RegCloseKey(sub);
    }
    std::wstring WPath() const { return L"SOFTWARE\\" + std::wstring(mName.begin(), mName.end()); }

private:
    std::string mName;
    REGSAM mView;
    HKEY mKey = nullptr;
};

TEST(Win32RegistryTest, EnumeratesSubkeysAndReadsTheirDisplayNames) {
    TestKey key("QuorvexTest", KEY_WOW64_64KEY);
    ASSERT_TRUE(key.Made());
    const std::string fits(254, 'f');
    const struct {
        const char* subkey;
        DWORD type;
        std::string value;
        bool ok;
    } cases[] = {
        {"App1", REG_SZ, "First app", true},
        {"App2", REG_EXPAND_SZ, "%SystemRoot%\\app2", true},
        {"App3", REG_NONE, "", false},
        {"Fits", REG_SZ, fits, true},
        {"TooLong", REG_SZ, std::string(255, 't'), false},
    };
    for (const auto& c : cases) key.Sub(c.subkey, c.type, c.value);

    std::unique_ptr<RegistryKey> opened;
    ASSERT_EQ(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath() + L"\\", platform::kKeyRead, opened), 0);
    std::set<std::wstring> names;
    std::wstring name;
    for (uint32_t index = 0; opened->EnumKey(index, 2000, name) == 0; ++index) names.insert(name);
    EXPECT_EQ(names, (std::set<std::wstring>{L"App1", L"App2", L"App3", L"Fits", L"TooLong"}));
    EXPECT_NE(opened->EnumKey(0, 4, name), 0) << "a name longer than the buffer fails";

    for (const auto& c : cases) {
        const std::string subkey(c.subkey);
        std::unique_ptr<RegistryKey> sub;
        ASSERT_EQ(Registry().OpenKey(platform::kHKeyLocalMachine,
                                     key.WPath() + L"\\" + std::wstring(subkey.begin(), subkey.end()) + L"\\", sub),
                  0);
        uint32_t type = 0;
        std::string bytes;
        EXPECT_EQ(sub->QueryValue(L"DisplayName", 255, type, bytes) == 0, c.ok) << subkey;
        if (c.ok) {
            EXPECT_EQ(type, c.type) << subkey;
            EXPECT_EQ(bytes, c.value + '\0') << subkey;
        }
    }
    std::unique_ptr<RegistryKey> missing;
    EXPECT_NE(Registry().OpenKey(platform::kHKeyLocalMachine, key.WPath() + L"\\Missing\\", missing), 0);
    EXPECT_EQ(missing, nullptr);
}

TEST(Win32RegistryTest, TheTwoViewsAreSeparate) {
    ASSERT_TRUE(Registry().HasSeparateViews());
    TestKey key("QuorvexView", KEY_WOW64_32KEY);
    ASSERT_TRUE(key.Made());
    std::unique_ptr<RegistryKey> opened;
    EXPECT_EQ(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath(),
                                   platform::kKeyRead | platform::kKeyWow64_32, opened),
              0);
    EXPECT_NE(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath(),
                                   platform::kKeyRead | platform::kKeyWow64_64, opened),
              0);
}

}  // namespace
