#include <windows.h>

#include <atomic>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/Console.h"

namespace platform {

namespace {

std::atomic<int> gInterrupts{0};
std::atomic<int> gCloses{0};
// Wakes Wait when a request arrives (auto-reset).
HANDLE gWake = nullptr;
// Set once the program stops catching: a closing console may go on then.
HANDLE gReleased = nullptr;

// How long a closing console waits for the program to wind down; the system
// ends the process a little later in any case.
constexpr DWORD kCloseGrace = 4500;
constexpr int kInterruptsBeforeExit = 3;

BOOL WINAPI OnConsoleControl(DWORD type) {
    switch (type) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            // Presses the program has not taken yet: after a few, the system's
            // own handler ends it, as a check stuck in a slow call cannot be
            // stopped otherwise.
            if (gInterrupts.fetch_add(1) + 1 >= kInterruptsBeforeExit) return FALSE;
            SetEvent(gWake);
            return TRUE;
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            gCloses.fetch_add(1);
            SetEvent(gWake);
            // Returning ends the process at once: give the deferred close
            // its chance first.
            WaitForSingleObject(gReleased, kCloseGrace);
            return TRUE;
        default:
            return FALSE;
    }
}

bool TakeOne(std::atomic<int>& counter) {
    int value = counter.load();
    while (value > 0) {
        if (counter.compare_exchange_weak(value, value - 1)) return true;
    }
    return false;
}

class Win32Console final : public Console {
public:
    Win32Console() {
        gWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        gReleased = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }

    bool IsTerminal(ConsoleStream stream) override {
        DWORD mode = 0;
        return GetConsoleMode(Handle(stream), &mode) != 0;
    }

    int32_t Columns(ConsoleStream stream) override {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(Handle(stream), &info) == 0) return 0;
        return info.srWindow.Right - info.srWindow.Left + 1;
    }

    void Write(ConsoleStream stream, std::wstring_view strText) override { WriteText(stream, strText, true); }

    void WriteVerbatim(ConsoleStream stream, std::wstring_view strText) override { WriteText(stream, strText, false); }

private:
    // blnLineEnds: a redirected stream gets CR LF for every LF, as Windows
    // programs write text; a verbatim text already carries its own line ends.
    void WriteText(ConsoleStream stream, std::wstring_view strText, bool blnLineEnds) {
        HANDLE handle = Handle(stream);
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
        DWORD mode = 0;
        if (GetConsoleMode(handle, &mode) != 0) {
            // A console shows every character; no code-page loss.
            DWORD written = 0;
            WriteConsoleW(handle, strText.data(), static_cast<DWORD>(strText.size()), &written, nullptr);
            return;
        }
        if (!blnLineEnds) {
            WriteBytes(handle, ToAnsi(strText));
            return;
        }
        std::wstring text;
        text.reserve(strText.size() + 8);
        for (wchar_t ch : strText) {
            if (ch == L'\n') text += L'\r';
            text += ch;
        }
        WriteBytes(handle, ToAnsi(text));
    }

    void WriteBytes(HANDLE handle, const std::string& bytes) {
        DWORD written = 0;
        if (WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) == 0) {
            const DWORD error = GetLastError();
            if ((error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA) && mCatching && !mOutputLost) {
                mOutputLost = true;
                gCloses.fetch_add(1);
                SetEvent(gWake);
            }
        }
    }

public:
    void CatchEvents(bool blnOn) override {
        if (blnOn == mCatching) return;
        if (blnOn) {
            ResetEvent(gReleased);
            SetConsoleCtrlHandler(OnConsoleControl, TRUE);
        } else {
            SetConsoleCtrlHandler(OnConsoleControl, FALSE);
            SetEvent(gReleased);
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
        WaitForSingleObject(gWake, lngMilliseconds);
    }

private:
    static HANDLE Handle(ConsoleStream stream) {
        return GetStdHandle(stream == ConsoleStream::Error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    }

    bool mCatching = false;
    bool mOutputLost = false;
};

}  // namespace

Console& SystemConsole() {
    static Win32Console console;
    return console;
}

void UseParentConsole() {
    static bool done = false;
    if (done) return;
    done = true;
    // Redirected streams (files, pipes) are kept: scripts read them.
    const DWORD ids[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    bool missing[3] = {false, false, false};
    bool any = false;
    for (int i = 0; i < 3; ++i) {
        HANDLE handle = GetStdHandle(ids[i]);
        missing[i] = handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN;
        any = any || missing[i];
    }
    if (!any) return;
    if (GetConsoleWindow() == nullptr && AttachConsole(ATTACH_PARENT_PROCESS) == 0 && AllocConsole() == 0) return;
    for (int i = 0; i < 3; ++i) {
        if (!missing[i]) continue;
        HANDLE handle = CreateFileW(i == 0 ? L"CONIN$" : L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (handle != INVALID_HANDLE_VALUE) SetStdHandle(ids[i], handle);
    }
}

}  // namespace platform
