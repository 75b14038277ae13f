// The registry through the seam, against keys the test makes and removes.

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/Machine.h"

namespace {

using platform::RegistryKey;

platform::Registry& Registry() { return *platform::RealMachine().registry; }

// A key below the local machine that exists for one test; created in the
// given view and removed with everything below it.
class TestKey {
public:
    TestKey(const std::string& path, REGSAM view) : mPath(path), mView(view) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, mPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | mView, nullptr, &mKey,
                        nullptr);
    }
    ~TestKey() {
        if (mKey != nullptr) RegCloseKey(mKey);
        HKEY parent = nullptr;
        const size_t slash = mPath.rfind('\\');
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, mPath.substr(0, slash).c_str(), 0, KEY_ALL_ACCESS | mView, &parent) ==
            0) {
            RegDeleteTreeA(parent, mPath.substr(slash + 1).c_str());
            RegDeleteKeyExA(parent, mPath.substr(slash + 1).c_str(), mView, 0);
            RegCloseKey(parent);
        }
    }
    bool Made() const { return mKey != nullptr; }
    void Sub(const std::string& name, DWORD type, const std::string& displayName) const {
        HKEY sub = nullptr;
        RegCreateKeyExA(mKey, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | mView, nullptr, &sub, nullptr);
        if (type != REG_NONE) {
            RegSetValueExA(sub, "DisplayName", 0, type, reinterpret_cast<const BYTE*>(displayName.c_str()),
                           static_cast<DWORD>(displayName.size() + 1));
        }
        RegCloseKey(sub);
    }
    std::wstring WPath() const { return std::wstring(mPath.begin(), mPath.end()); }

private:
    std::string mPath;
    REGSAM mView;
    HKEY mKey = nullptr;
};

std::string UniquePath(const char* stem) {
    return std::string("SOFTWARE\\") + stem + std::to_string(GetCurrentProcessId());
}

TEST(Win32RegistryTest, EnumeratesSubkeysAndReadsTheirDisplayNames) {
    TestKey key(UniquePath("QuorvexTest"), KEY_WOW64_64KEY);
    ASSERT_TRUE(key.Made());
    const std::string fits(254, 'f');
    const std::string tooLong(255, 't');
    key.Sub("App1", REG_SZ, "First app");
    key.Sub("App2", REG_EXPAND_SZ, "%SystemRoot%\\app2");
    key.Sub("App3", REG_NONE, "");
    key.Sub("Fits", REG_SZ, fits);
    key.Sub("TooLong", REG_SZ, tooLong);

    std::unique_ptr<RegistryKey> opened;
    ASSERT_EQ(Registry().OpenKeyEx(platform::kHKeyLocalMachine, key.WPath() + L"\\", platform::kKeyRead, opened), 0);
    std::set<std::wstring> names;
    std::wstring name;
    uint32_t index = 0;
    while (opened->EnumKey(index, 2000, name) == 0) {
        names.insert(name);
        ++index;
    }
    EXPECT_EQ(names, (std::set<std::wstring>{L"App1", L"App2", L"App3", L"Fits", L"TooLong"}));
    EXPECT_NE(opened->EnumKey(0, 4, name), 0) << "a name longer than the buffer fails";

    const struct {
        const wchar_t* subkey;
        bool ok;
        uint32_t type;
        std::string bytes;
    } cases[] = {
        {L"App1", true, REG_SZ, std::string("First app", 10)},
        {L"App2", true, REG_EXPAND_SZ, std::string("%SystemRoot%\\app2", 18)},
        {L"App3", false, 0, ""},
        {L"Fits", true, REG_SZ, fits + '\0'},
        {L"TooLong", false, 0, ""},
    };
    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> sub;
        ASSERT_EQ(Registry().OpenKey(platform::kHKeyLocalMachine, key.WPath() + L"\\" + c.subkey + L"\\", sub), 0);
        uint32_t type = 0;
        std::string bytes;
        EXPECT_EQ(sub->QueryValue(L"DisplayName", 255, type, bytes) == 0, c.ok) << static_cast<char>(c.subkey[0]);
        if (c.ok) {
            EXPECT_EQ(type, c.type);
            EXPECT_EQ(bytes, c.bytes);
        }
    }
    std::unique_ptr<RegistryKey> missing;
    EXPECT_NE(Registry().OpenKey(platform::kHKeyLocalMachine, key.WPath() + L"\\Missing\\", missing), 0);
    EXPECT_EQ(missing, nullptr);
}

TEST(Win32RegistryTest, TheTwoViewsAreSeparate) {
    ASSERT_TRUE(Registry().HasSeparateViews());
    TestKey key(UniquePath("QuorvexView"), KEY_WOW64_32KEY);
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
