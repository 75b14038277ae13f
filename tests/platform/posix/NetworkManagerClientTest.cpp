// Reading a profile's settings as NetworkManager's GetSettings answers them.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <systemd/sd-bus.h>

#include <functional>

#include "platform/posix/NetworkManagerClient.h"

namespace {

using platform::posix::NetworkManagerClient;

TEST(NetworkManagerClientTest, IdAndTypeComeFromTheConnectionGroupOnly) {
    // Messages are built on a bus that is never connected to anything.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
    sd_bus* bus = nullptr;
    ASSERT_GE(sd_bus_new(&bus), 0);
    ASSERT_GE(sd_bus_set_fd(bus, fds[0], fds[0]), 0);
    ASSERT_GE(sd_bus_start(bus), 0);
    const struct {
        std::function<int(sd_bus_message*)> fill;
        bool read;
        std::string id, type;
    } cases[] = {
        {[](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 3, "ipv4", 2, "type", "s", "not this", "dns", "au", 2, 1u, 2u,
                                          "connection", 3, "id", "s", "Mobile", "autoconnect", "b", 0, "type", "s",
                                          "gsm", "gsm", 1, "apn", "s", "internet");
         },
         true, "Mobile", "gsm"},
        {[](sd_bus_message* m) {
             return sd_bus_message_append(m, "a{sa{sv}}", 1, "connection", 2, "type", "u", 5u, "id", "s", "Odd");
         },
         true, "Odd", ""},
        {[](sd_bus_message* m) { return sd_bus_message_append(m, "s", "connection"); }, false, "", ""},
    };
    for (const auto& c : cases) {
        sd_bus_message* message = nullptr;
        ASSERT_GE(sd_bus_message_new_method_call(bus, &message, "a.b", "/a", "a.b", "M"), 0);
        ASSERT_GE(c.fill(message), 0);
        ASSERT_GE(sd_bus_message_seal(message, 1, 0), 0);
        NetworkManagerClient::Profile profile{"stale", "stale"};
        EXPECT_EQ(NetworkManagerClient::ReadSettings(message, profile), c.read) << c.id;
        EXPECT_EQ(profile.id, c.id);
        EXPECT_EQ(profile.type, c.type);
        sd_bus_message_unref(message);
    }
    sd_bus_close_unref(bus);
    ::close(fds[1]);
}

}  // namespace
