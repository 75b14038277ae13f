#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/posix/PosixRegistry.h"

namespace {

using platform::RegistryKey;
using platform::kHKeyLocalMachine;

const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr int32_t kNotFound = 2, kMoreData = 234, kNoMoreItems = 259;

const std::string kFits(254, 'x'), kTooLong(255, 'y');
// Installed includes packages whose triggers are pending; ":arch" where dpkg-query writes it.
const std::string kRecords =
    "Package: libc6\nStatus: install ok installed\nArchitecture: amd64\nMulti-Arch: same\n\n"
    "Package: wine32\nStatus: install ok installed\nArchitecture: i386\n\n"
    "Package: man-db\nStatus: install ok triggers-pending\nArchitecture: amd64\n\n"
    "Package: libc-bin\nStatus: install ok triggers-awaited\nArchitecture: amd64\nMulti-Arch: foreign\n\n"
    "Package: tzdata\nStatus: install ok installed\nArchitecture: all\n\n"
    "Package: broken\nStatus: install reinstreq half-configured\nArchitecture: amd64\n\n";

class PosixRegistryTest : public ::testing::Test {
protected:
    PosixRegistryTest() {
        mFolder.Write(L"status",
                      "Package: zeta\nStatus: install ok installed\nArchitecture: amd64\nDescription: Zeta tool\n"
                      " Longer text that is not part of the name.\n .\n\n"
                      "Package: removed\nStatus: deinstall ok config-files\nDescription: Gone\n\n"
                      "Package: libfoo\nStatus: install ok installed\nMulti-Arch: same\nArchitecture: amd64\n"
                      "Description: Foo library\n\n"
                      "Package: alpha\nStatus: hold ok installed\nMulti-Arch: foreign\nArchitecture: all\n"
                      "Description: Alpha \xc4\x8d\n\n\n"
                      "Package: nodesc\nStatus: install ok installed\n\n"
                      "Package: fits\nStatus: install ok installed\nDescription: " + kFits + "\n\n"
                      "Package: long\nStatus: install ok installed\nDescription: " + kTooLong + "\n\n" + kRecords);
    }

    std::vector<std::wstring> Subkeys() {
        std::vector<std::wstring> names;
        std::unique_ptr<RegistryKey> key;
        if (mRegistry.OpenKeyEx(kHKeyLocalMachine, kUninstall, platform::kKeyRead, key) != 0) return names;
        std::wstring name;
        for (uint32_t index = 0; key->EnumKey(index, 2000, name) == 0; ++index) names.push_back(name);
        return names;
    }

    testing_support::TempFolder mFolder;
    platform::posix::PosixRegistry mRegistry{mFolder.Path().string() + "/status"};
};

TEST_F(PosixRegistryTest, SubkeysAreTheInstalledPackagesInFileOrder) {
    // Without dpkg among them the native architecture is the most common one.
    EXPECT_EQ(Subkeys(), (std::vector<std::wstring>{L"zeta", L"libfoo:amd64", L"alpha", L"nodesc", L"fits", L"long",
                                                    L"libc6:amd64", L"wine32:i386", L"man-db", L"libc-bin",
                                                    L"tzdata"}));
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(mRegistry.OpenKeyEx(kHKeyLocalMachine, kUninstall, platform::kKeyRead, key), 0);
    std::wstring name;
    EXPECT_EQ(key->EnumKey(11, 2000, name), kNoMoreItems);
    // "libfoo:amd64" is 12 characters: it needs 13 with its NUL.
    EXPECT_EQ(key->EnumKey(1, 12, name), kMoreData);
    EXPECT_EQ(key->EnumKey(1, 13, name), 0);
    EXPECT_EQ(name, L"libfoo:amd64");
}

TEST_F(PosixRegistryTest, DisplayNameIsTheFirstDescriptionLineIfItFitsWithItsNul) {
    const struct {
        const wchar_t* subkey;
        std::string bytes;  // empty: no value
    } cases[] = {
        {L"zeta\\", std::string("Zeta tool\0", 10)},
        {L"libfoo:amd64\\", std::string("Foo library\0", 12)},
        {L"alpha\\", std::string("Alpha \xc4\x8d\0", 9)},
        {L"nodesc\\", std::string("\0", 1)},
        {L"fits", kFits + '\0'},
        {L"long", ""},
    };
    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> key;
        ASSERT_EQ(mRegistry.OpenKey(kHKeyLocalMachine, kUninstall + c.subkey, key), 0);
        uint32_t type = 0;
        std::string bytes;
        if (c.bytes.empty()) {
            EXPECT_NE(key->QueryValue(L"DisplayName", 255, type, bytes), 0);
            continue;
        }
        EXPECT_EQ(key->QueryValue(L"DisplayName", 255, type, bytes), 0);
        EXPECT_EQ(type, platform::kRegSz);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(key->QueryValue(L"Publisher", 255, type, bytes), kNotFound);
    }
}

TEST_F(PosixRegistryTest, OtherKeysDoNotExistAndNamesIgnoreCase) {
    const struct {
        uint32_t root;
        std::wstring path;
        int32_t result;
    } cases[] = {
        {kHKeyLocalMachine, L"SOFTWARE\\Other\\", kNotFound},
        {kHKeyLocalMachine, kUninstall + L"removed\\", kNotFound},
        {kHKeyLocalMachine, kUninstall + L"missing", kNotFound},
        {kHKeyLocalMachine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UninstallX", kNotFound},
        {0x80000001u, kUninstall, kNotFound},
        {kHKeyLocalMachine, L"software\\microsoft\\windows\\currentversion\\uninstall", 0},
    };
    for (const auto& c : cases) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(mRegistry.OpenKeyEx(c.root, c.path, platform::kKeyRead, key), c.result);
        EXPECT_EQ(key == nullptr, c.result != 0);
    }
}

TEST_F(PosixRegistryTest, AMissingDatabaseIsAMissingKeyAndAChangedOneIsReadAgain) {
    EXPECT_EQ(Subkeys().size(), 11u);
    mFolder.Write(L"status", "Package: only\nStatus: install ok installed\n");
    EXPECT_EQ(Subkeys(), std::vector<std::wstring>{L"only"});
    std::filesystem::remove(mFolder.Path() / "status");
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(mRegistry.OpenKeyEx(kHKeyLocalMachine, kUninstall, platform::kKeyRead, key), kNotFound);
}

// dpkg's own architecture is the native one.
TEST(PosixRegistryStatusTest, InstalledPackagesAreNamedAsDpkgQueryNamesThem) {
    std::vector<std::string> names;
    const auto packages = platform::posix::PosixRegistry::ParseStatus(
        kRecords + "Package: dpkg\nStatus: install ok installed\nArchitecture: i386\n");
    for (const auto& package : packages) names.push_back(package.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"libc6:amd64", "wine32", "man-db:amd64", "libc-bin:amd64", "tzdata", "dpkg"}));
}

}  // namespace
