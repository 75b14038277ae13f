// Reading a profile's settings as NetworkManager's GetSettings answers them.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <systemd/sd-bus.h>

#include <functional>
#include <string>

#include "platform/posix/NetworkManagerClient.h"

namespace {

using platform::posix::NetworkManagerClient;

// Messages are built on a bus that is never connected to anything.
class NetworkManagerClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        mPeer = fds[1];
        ASSERT_GE(sd_bus_new(&mBus), 0);
        ASSERT_GE(sd_bus_set_fd(mBus, fds[0], fds[0]), 0);
        ASSERT_GE(sd_bus_start(mBus), 0);
    }
    void TearDown() override {
        sd_bus_close_unref(mBus);
        ::close(mPeer);
    }

    // The profile read back from a message filled by fill; false when it was not read.
    bool Read(const std::function<int(sd_bus_message*)>& fill, NetworkManagerClient::Profile& profile) {
        sd_bus_message* message = nullptr;
        EXPECT_GE(sd_bus_message_new_method_call(mBus, &message, "a.b", "/a", "a.b", "M"), 0);
        EXPECT_GE(fill(message), 0);
        EXPECT_GE(sd_bus_message_seal(message, 1, 0), 0);
        const bool read = NetworkManagerClient::ReadSettings(message, profile);
        sd_bus_message_unref(message);
        return read;
    }

    sd_bus* mBus = nullptr;
    int mPeer = -1;
};

TEST_F(NetworkManagerClientTest, IdAndTypeComeFromTheConnectionGroupOnly) {
    const struct {
        const char* what;
        std::function<int(sd_bus_message*)> fill;
        bool read;
        const char* id;
        const char* type;
    } cases[] = {
        {"a full profile",
         [](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 3, "ipv4", 2, "type", "s", "not this", "dns", "au", 2, 1u, 2u,
                                          "connection", 4, "id", "s", "Mobile", "autoconnect", "b", 0, "type", "s",
                                          "gsm", "timestamp", "t", uint64_t{7}, "gsm", 1, "apn", "s", "internet");
         },
         true, "Mobile", "gsm"},
        {"a type that is not a text",
         [](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 1, "connection", 2, "type", "u", 5u, "id", "s", "Odd");
         },
         true, "Odd", ""},
        {"no connection group",
         [](sd_bus_message* m) { return sd_bus_message_append(m, "a{sa{sv}}", 1, "vpn", 1, "type", "s", "vpn"); },
         true, "", ""},
        {"not settings at all", [](sd_bus_message* m) { return sd_bus_message_append(m, "s", "connection"); }, false,
         "", ""},
    };
    for (const auto& c : cases) {
        NetworkManagerClient::Profile profile{"stale", "stale"};
        EXPECT_EQ(Read(c.fill, profile), c.read) << c.what;
        EXPECT_EQ(profile.id, c.id) << c.what;
        EXPECT_EQ(profile.type, c.type) << c.what;
    }
}

}  // namespace
