#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/Console.h"

namespace {

using platform::ConsoleEvent;
using platform::ConsoleStream;

TEST(PosixConsoleTest, CaughtSignalsBecomeRequestsCloseFirst) {
    // Put back as it was: a shell starts background jobs with SIGINT ignored.
    struct sigaction before {};
    sigaction(SIGINT, nullptr, &before);
    auto& console = platform::SystemConsole();
    console.CatchEvents(true);
    raise(SIGINT);
    raise(SIGTERM);
    raise(SIGINT);
    raise(SIGHUP);
    std::vector<ConsoleEvent> taken;
    for (auto event = console.TakeEvent(); event != ConsoleEvent::None; event = console.TakeEvent()) taken.push_back(event);
    console.CatchEvents(false);
    EXPECT_EQ(taken, (std::vector<ConsoleEvent>{ConsoleEvent::Close, ConsoleEvent::Close, ConsoleEvent::Interrupt,
                                                ConsoleEvent::Interrupt}));
    struct sigaction now {};
    sigaction(SIGINT, nullptr, &now);
    EXPECT_EQ(now.sa_handler, before.sa_handler);
}

TEST(PosixConsoleDeathTest, OnlyAThirdUntakenInterruptEndsTheProcess) {
    EXPECT_EXIT(
        {
            auto& console = platform::SystemConsole();
            console.CatchEvents(true);
            for (int i = 0; i < 5; ++i) {
                raise(SIGINT);
                raise(SIGINT);
                console.TakeEvent();
                console.TakeEvent();
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            auto& console = platform::SystemConsole();
            console.CatchEvents(true);
            raise(SIGINT);
            raise(SIGINT);
            raise(SIGINT);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
}

TEST(PosixConsoleTest, WritesUtf8IntoAPipeThatIsNoTerminal) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    auto& console = platform::SystemConsole();
    const bool terminal = console.IsTerminal(ConsoleStream::Output);
    const int32_t columns = console.Columns(ConsoleStream::Output);
    console.Write(ConsoleStream::Output, L"\u010Cesk\u00E9 \u016F\n");
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(fds[1]);
    char buffer[64] = {};
    const ssize_t got = read(fds[0], buffer, sizeof buffer);
    close(fds[0]);
    EXPECT_FALSE(terminal);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "\xC4\x8C" "esk\xC3\xA9 \xC5\xAF\n");
}

TEST(PosixConsoleTest, ABrokenOutputPipeIsACloseRequest) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    close(fds[0]);
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    auto& console = platform::SystemConsole();
    console.CatchEvents(true);
    console.Write(ConsoleStream::Output, L"lost\n");
    const auto event = console.TakeEvent();
    console.CatchEvents(false);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(fds[1]);
    EXPECT_EQ(event, ConsoleEvent::Close);
}

}  // namespace
