#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/TestSupport.h"
#include "fakes/TempFolder.h"
#include "platform/posix/PosixRegistry.h"

namespace {

using namespace std::string_literals;
using platform::kHKeyLocalMachine;
using platform::RegistryKey;
using Names = std::vector<std::wstring>;

const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr int32_t kNotFound = 2, kMoreData = 234, kNoMoreItems = 259;

// The status file holds packages with pending triggers (installed), removed and
// half-configured ones (not), multi-arch and foreign ones, and descriptions of
// 254 and 255 bytes.
class PosixRegistryTest : public ::testing::Test {
protected:
    PosixRegistryTest() { mFolder.Write(L"status", test_support::Golden("platform/dpkg-status")); }

    std::unique_ptr<RegistryKey> Open(uint32_t root, const std::wstring& path, int32_t result = 0) {
        std::unique_ptr<RegistryKey> key;
        EXPECT_EQ(mRegistry.OpenKeyEx(root, path, platform::kKeyRead, key), result) << path;
        EXPECT_EQ(key == nullptr, result != 0) << path;
        return key;
    }

    Names Subkeys() {
        Names names;
        std::wstring name;
        const auto key = Open(kHKeyLocalMachine, kUninstall);
        for (uint32_t index = 0; key && key->EnumKey(index, 2000, name) == 0; ++index) names.push_back(name);
        return names;
    }

    testing_support::TempFolder mFolder;
    platform::posix::PosixRegistry mRegistry{mFolder.Path().string() + "/status"};
};

TEST_F(PosixRegistryTest, SubkeysAreTheInstalledPackagesInFileOrder) {
    // Without dpkg among them the native architecture is the most common one.
    EXPECT_EQ(Subkeys(), (Names{L"zeta", L"libfoo:amd64", L"alpha", L"nodesc", L"fits", L"long", L"libc6:amd64",
                                L"wine32:i386", L"man-db", L"libc-bin", L"tzdata"}));
    const auto key = Open(kHKeyLocalMachine, kUninstall);
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
        std::optional<std::string> text;  // none: no value
    } cases[] = {
        {L"zeta\\", "Zeta tool"}, {L"libfoo:amd64\\", "Foo library"}, {L"alpha\\", "Alpha \xc4\x8d"},
        {L"nodesc\\", ""},        {L"fits", std::string(254, 'x')},   {L"long", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto key = Open(kHKeyLocalMachine, kUninstall + c.subkey);
        uint32_t type = 0;
        std::string bytes;
        EXPECT_EQ(key->QueryValue(L"DisplayName", 255, type, bytes) == 0, c.text.has_value()) << c.subkey;
        if (!c.text) continue;
        EXPECT_EQ(type, platform::kRegSz);
        EXPECT_EQ(bytes, *c.text + '\0');
        EXPECT_EQ(key->QueryValue(L"Publisher", 255, type, bytes), kNotFound);
    }
}

TEST_F(PosixRegistryTest, OtherKeysDoNotExistAndNamesIgnoreCase) {
    for (const std::wstring& path : {kUninstall + L"removed\\", kUninstall + L"missing", L"SOFTWARE\\Other\\"s,
                                     L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UninstallX"s}) {
        Open(kHKeyLocalMachine, path, kNotFound);
    }
    Open(0x80000001u, kUninstall, kNotFound);
    Open(kHKeyLocalMachine, L"software\\microsoft\\windows\\currentversion\\uninstall");
}

TEST_F(PosixRegistryTest, AMissingDatabaseIsAMissingKeyAndAChangedOneIsReadAgain) {
    EXPECT_EQ(Subkeys().size(), 11u);
    mFolder.Write(L"status", "Package: only\nStatus: install ok installed\n");
    EXPECT_EQ(Subkeys(), Names{L"only"});
    std::filesystem::remove(mFolder.Path() / "status");
    Open(kHKeyLocalMachine, kUninstall, kNotFound);
}

// dpkg's own architecture is the native one.
TEST(PosixRegistryStatusTest, InstalledPackagesAreNamedAsDpkgQueryNamesThem) {
    const std::string dpkg = "Package: dpkg\nStatus: install ok installed\nArchitecture: i386\n";
    const std::string status = test_support::Golden("platform/dpkg-status") + dpkg;
    std::vector<std::string> names;
    for (const auto& package : platform::posix::PosixRegistry::ParseStatus(status)) names.push_back(package.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"zeta:amd64", "libfoo:amd64", "alpha", "nodesc", "fits", "long", "libc6:amd64",
                                        "wine32", "man-db:amd64", "libc-bin:amd64", "tzdata", "dpkg"}));
}

}  // namespace
