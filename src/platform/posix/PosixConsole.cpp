#include <errno.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/Console.h"

namespace platform {

namespace {

// Counters the signal handlers bump; lock-free, so safe inside a handler.
std::atomic<int> gInterrupts{0};
std::atomic<int> gCloses{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Ctrl+C presses the program has not taken yet after which it is ended as
// Ctrl+C normally does: a check stuck in a slow call cannot be stopped
// otherwise.
constexpr int kInterruptsBeforeExit = 3;

extern "C" void OnConsoleSignal(int signal) {
    if (signal == SIGINT) {
        if (gInterrupts.fetch_add(1) + 1 >= kInterruptsBeforeExit) {
            ::signal(SIGINT, SIG_DFL);
            raise(SIGINT);
        }
    } else {
        gCloses.fetch_add(1);
    }
}

bool TakeOne(std::atomic<int>& counter) {
    int value = counter.load();
    while (value > 0) {
        if (counter.compare_exchange_weak(value, value - 1)) return true;
    }
    return false;
}

class PosixConsole final : public Console {
public:
    bool IsTerminal(ConsoleStream stream) override { return isatty(Fd(stream)) == 1; }

    int32_t Columns(ConsoleStream stream) override {
        winsize size{};
        if (ioctl(Fd(stream), TIOCGWINSZ, &size) != 0) return 0;
        return size.ws_col;
    }

    void Write(ConsoleStream stream, std::wstring_view strText) override {
        const std::string bytes = ToAnsi(strText);
        const char* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t written = ::write(Fd(stream), data, left);
            if (written < 0) {
                if (errno == EINTR) continue;
                // The reader went away (a pipe closed, the terminal hung up):
                // as good as being asked to close.
                if ((errno == EPIPE || errno == EIO) && mCatching && !mOutputLost) {
                    mOutputLost = true;
                    gCloses.fetch_add(1);
                }
                return;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
    }

    // Write changes nothing on the way either.
    void WriteVerbatim(ConsoleStream stream, std::wstring_view strText) override { Write(stream, strText); }

    void CatchEvents(bool blnOn) override {
        if (blnOn == mCatching) return;
        if (blnOn) {
            struct sigaction action {};
            action.sa_handler = OnConsoleSignal;
            sigemptyset(&action.sa_mask);
            // Other reads and writes of the program go on after a signal;
            // only Wait wants to be woken.
            action.sa_flags = SA_RESTART;
            sigaction(SIGINT, &action, &mPrevious[0]);
            sigaction(SIGTERM, &action, &mPrevious[1]);
            sigaction(SIGHUP, &action, &mPrevious[2]);
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            sigemptyset(&ignore.sa_mask);
            sigaction(SIGPIPE, &ignore, &mPrevious[3]);
        } else {
            sigaction(SIGINT, &mPrevious[0], nullptr);
            sigaction(SIGTERM, &mPrevious[1], nullptr);
            sigaction(SIGHUP, &mPrevious[2], nullptr);
            sigaction(SIGPIPE, &mPrevious[3], nullptr);
        }
        mCatching = blnOn;
    }

    ConsoleEvent TakeEvent() override {
        if (TakeOne(gCloses)) return ConsoleEvent::Close;
        if (TakeOne(gInterrupts)) return ConsoleEvent::Interrupt;
        return ConsoleEvent::None;
    }

    void Wait(uint32_t lngMilliseconds) override {
        if (gCloses.load() > 0 || gInterrupts.load() > 0) return;
        timespec span{static_cast<time_t>(lngMilliseconds / 1000), static_cast<long>(lngMilliseconds % 1000) * 1000000L};
        // A caught signal ends the sleep early (EINTR), which is the point.
        nanosleep(&span, nullptr);
    }

private:
    static int Fd(ConsoleStream stream) { return stream == ConsoleStream::Error ? STDERR_FILENO : STDOUT_FILENO; }

    bool mCatching = false;
    bool mOutputLost = false;
    struct sigaction mPrevious[4] {};
};

}  // namespace

Console& SystemConsole() {
    static PosixConsole console;
    return console;
}

// Every process here has its standard streams from the start.
void UseParentConsole() {}

}  // namespace platform
