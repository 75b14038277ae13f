#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixRegistry.h"

namespace {

using platform::RegistryKey;
using platform::posix::PosixRegistry;
using testing_support::TempFolder;

constexpr const wchar_t* kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr int32_t kNotFound = 2;
constexpr int32_t kMoreData = 234;
constexpr int32_t kNoMoreItems = 259;

const char* const kStatus =
    "Package: zeta\n"
    "Status: install ok installed\n"
    "Architecture: amd64\n"
    "Description: Zeta tool\n"
    " Longer text that is not part of the name.\n"
    " .\n"
    "\n"
    "Package: removed\n"
    "Status: deinstall ok config-files\n"
    "Description: Gone\n"
    "\n"
    "Package: libfoo\n"
    "Status: install ok installed\n"
    "Multi-Arch: same\n"
    "Architecture: amd64\n"
    "Description: Foo library\n"
    "\n"
    "Package: alpha\n"
    "Status: hold ok installed\n"
    "Multi-Arch: foreign\n"
    "Architecture: all\n"
    "Description: Alpha \xc4\x8d\n"
    "\n\n"
    "Package: nodesc\n"
    "Status: install ok installed\n";

class PosixRegistryTest : public ::testing::Test {
protected:
    PosixRegistryTest() { mFolder.Write(L"status", kStatus); }

    std::vector<std::wstring> Subkeys() {
        std::vector<std::wstring> names;
        std::unique_ptr<RegistryKey> key;
        if (mRegistry.OpenKeyEx(platform::kHKeyLocalMachine, kUninstall, platform::kKeyRead, key) != 0) return names;
        std::wstring name;
        for (uint32_t index = 0; key->EnumKey(index, 2000, name) == 0; ++index) names.push_back(name);
        return names;
    }

    TempFolder mFolder;
    PosixRegistry mRegistry{mFolder.Path().string() + "/status"};
};

TEST_F(PosixRegistryTest, SubkeysAreTheInstalledPackagesInFileOrder) {
    EXPECT_EQ(Subkeys(), (std::vector<std::wstring>{L"zeta", L"libfoo:amd64", L"alpha", L"nodesc"}));
}

TEST_F(PosixRegistryTest, EnumerationEndsAndRespectsTheNameBuffer) {
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(mRegistry.OpenKeyEx(platform::kHKeyLocalMachine, kUninstall, platform::kKeyRead, key), 0);
    std::wstring name;
    EXPECT_EQ(key->EnumKey(4, 2000, name), kNoMoreItems);
    // "libfoo:amd64" is 12 characters: it needs 13 with its NUL.
    EXPECT_EQ(key->EnumKey(1, 12, name), kMoreData);
    EXPECT_EQ(key->EnumKey(1, 13, name), 0);
    EXPECT_EQ(name, L"libfoo:amd64");
}

TEST_F(PosixRegistryTest, DisplayNameIsTheFirstDescriptionLine) {
    const struct {
        const wchar_t* subkey;
        std::string bytes;
    } cases[] = {
        {L"zeta", std::string("Zeta tool\0", 10)},
        {L"libfoo:amd64", std::string("Foo library\0", 12)},
        {L"alpha", std::string("Alpha \xc4\x8d\0", 9)},
        {L"nodesc", std::string("\0", 1)},
    };
    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> key;
        ASSERT_EQ(mRegistry.OpenKey(platform::kHKeyLocalMachine, std::wstring(kUninstall) + c.subkey + L"\\", key), 0);
        uint32_t type = 0;
        std::string bytes;
        EXPECT_EQ(key->QueryValue(L"DisplayName", 255, type, bytes), 0);
        EXPECT_EQ(type, platform::kRegSz);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(key->QueryValue(L"Publisher", 255, type, bytes), kNotFound);
    }
}

TEST_F(PosixRegistryTest, ADisplayNameMustFitTheBufferWithItsNul) {
    const std::string fits(254, 'x');
    const std::string tooLong(255, 'y');
    mFolder.Write(L"status", "Package: fits\nStatus: install ok installed\nDescription: " + fits +
                                 "\n\nPackage: long\nStatus: install ok installed\nDescription: " + tooLong + "\n");
    uint32_t type = 0;
    std::string bytes;
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(mRegistry.OpenKey(platform::kHKeyLocalMachine, std::wstring(kUninstall) + L"fits", key), 0);
    EXPECT_EQ(key->QueryValue(L"DisplayName", 255, type, bytes), 0);
    EXPECT_EQ(bytes, fits + '\0');
    ASSERT_EQ(mRegistry.OpenKey(platform::kHKeyLocalMachine, std::wstring(kUninstall) + L"long", key), 0);
    EXPECT_NE(key->QueryValue(L"DisplayName", 255, type, bytes), 0);
}

TEST_F(PosixRegistryTest, OtherKeysDoNotExist) {
    const struct {
        uint32_t root;
        std::wstring path;
    } cases[] = {
        {platform::kHKeyLocalMachine, L"SOFTWARE\\Other\\"},
        {platform::kHKeyLocalMachine, std::wstring(kUninstall) + L"removed\\"},
        {platform::kHKeyLocalMachine, std::wstring(kUninstall) + L"missing"},
        {platform::kHKeyLocalMachine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UninstallX"},
        {0x80000001u, kUninstall},
    };
    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(mRegistry.OpenKeyEx(c.root, c.path, platform::kKeyRead, key), kNotFound);
        EXPECT_EQ(key, nullptr);
    }
    // Key names compare without regard to case, as in the registry.
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(mRegistry.OpenKeyEx(platform::kHKeyLocalMachine,
                                  L"software\\microsoft\\windows\\currentversion\\uninstall", platform::kKeyRead, key),
              0);
}

TEST_F(PosixRegistryTest, AMissingDatabaseIsAMissingKeyAndAChangedOneIsReadAgain) {
    EXPECT_EQ(Subkeys().size(), 4u);
    mFolder.Write(L"status", "Package: only\nStatus: install ok installed\n");
    EXPECT_EQ(Subkeys(), std::vector<std::wstring>{L"only"});
    std::filesystem::remove(mFolder.Path() / "status");
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(mRegistry.OpenKeyEx(platform::kHKeyLocalMachine, kUninstall, platform::kKeyRead, key), kNotFound);
}

}  // namespace
