#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/AnsiCodePage.h"
#include "platform/posix/AsOrdinaryUser.h"
#include "platform/posix/PosixDialUp.h"

namespace {

using platform::posix::NetworkManagerClient;
using platform::posix::PosixDialUp;
using testing_support::TempFolder;
namespace fs = std::filesystem;

const std::wstring kProfiles = L"etc/NetworkManager/system-connections/";

// NetworkManager not running: the profile files are read.
bool NotRunning(std::vector<NetworkManagerClient::Profile>&) { return false; }

std::vector<std::wstring> Entries(const TempFolder& root, int32_t& result,
                                  PosixDialUp::ProfileSource source = NotRunning) {
    std::vector<std::wstring> names{L"stale"};
    result = PosixDialUp(root.Path().string(), std::move(source)).EnumEntries(names);
    return names;
}

TEST(PosixDialUpTest, DialUpLikeProfilesThenPppPeers) {
    TempFolder root;
    const std::wstring nm = L"NetworkManager/system-connections/";
    root.Write(L"etc/" + nm + L"gsm.nmconnection", "[connection]\nid=Mobile\ntype=gsm\n[gsm]\napn=internet\n");
    root.Write(L"etc/" + nm + L"home.nmconnection", "[connection]\nid=Home\ntype=wifi\n");
    root.Write(L"etc/" + nm + L"vpn.nmconnection", "[connection]\r\ntype = vpn\r\nid = Office VPN\r\n");
    root.Write(L"etc/" + nm + L"noid.nmconnection", "[connection]\ntype=pppoe\n");
    root.Write(L"etc/" + nm + L"notype.nmconnection", "[connection]\nid=No type\n[gsm]\ntype=gsm\n");
    root.Write(L"etc/" + nm + L"notes.txt", "[connection]\nid=Not a profile\ntype=gsm\n");
    // The same profile file in a later folder is hidden by the earlier one.
    root.Write(L"run/" + nm + L"gsm.nmconnection", "[connection]\nid=Shadowed\ntype=gsm\n");
    root.Write(L"usr/lib/" + nm + L"wg.nmconnection", "[connection]\nid=Tunnel\ntype=wireguard\n");
    for (const wchar_t* peer : {L"provider", L".hidden", L"chatscripts/x"}) {
        root.Write(L"etc/ppp/peers/" + std::wstring(peer), "");
    }
    int32_t result = -1;
    EXPECT_EQ(Entries(root, result),
              (std::vector<std::wstring>{L"Mobile", L"noid", L"Office VPN", L"Tunnel", L"provider"}));
    EXPECT_EQ(result, 0);
}

// Profile files belong to the administrator: for anyone else their type is unknown.
TEST(PosixDialUpTest, AProfileOfUnknownTypeIsNotCounted) {
    TempFolder root;
    root.Write(kProfiles + L"mobile.nmconnection", "[connection]\nid=Mobile\ntype=gsm\n");
    root.Write(kProfiles + L"secret.nmconnection", "[connection]\nid=Hidden\ntype=gsm\n");
    fs::permissions(root.Path() / kProfiles / "secret.nmconnection", fs::perms::none);
    EXPECT_EQ(testing_support::AsOrdinaryUser([&] {
                  int32_t result = -1;
                  std::string text;
                  for (const std::wstring& name : Entries(root, result)) text += platform::ToAnsi(name) + ";";
                  return text + std::to_string(result);
              }),
              "Mobile;0");
}

// What NetworkManager answers replaces the files; the ppp peers still follow.
TEST(PosixDialUpTest, NetworkManagerAnswersForItsProfiles) {
    TempFolder root;
    root.Write(kProfiles + L"file.nmconnection", "[connection]\nid=From file\ntype=gsm\n");
    root.Write(L"etc/ppp/peers/provider", "");
    const auto answer = [](std::vector<NetworkManagerClient::Profile>& profiles) {
        profiles = {{"Zeta", "vpn"}, {"Home", "802-11-wireless"}, {"Hidden", ""}, {"Mobile", "gsm"}};
        return true;
    };
    int32_t result = -1;
    EXPECT_EQ(Entries(root, result, answer), (std::vector<std::wstring>{L"Mobile", L"Zeta", L"provider"}));
    EXPECT_EQ(result, 0);
}

// No folders: no dial-up support. An empty book is fine, one over 256 entries fails.
TEST(PosixDialUpTest, ThePhoneBookHoldsNoneToTwoHundredFiftySixEntries) {
    TempFolder root;
    int32_t result = 0;
    EXPECT_TRUE(Entries(root, result).empty());
    EXPECT_NE(result, 0);
    fs::create_directories(root.Path() / "etc/ppp/peers");
    EXPECT_TRUE(Entries(root, result).empty());
    EXPECT_EQ(result, 0);
    for (int i = 0; i < 257; ++i) root.Write(L"etc/ppp/peers/p" + std::to_wstring(i), "");
    EXPECT_TRUE(Entries(root, result).empty());
    EXPECT_NE(result, 0);
    fs::remove(root.Path() / "etc/ppp/peers/p0");
    EXPECT_EQ(Entries(root, result).size(), 256u);
    EXPECT_EQ(result, 0);
}

}  // namespace
