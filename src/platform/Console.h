#pragma once
// The text console the program runs in when it has no window: whether the
// output is a terminal, writing to it, and the user's and the system's
// requests that arrive as signals (Ctrl+C; termination, a closed terminal).

#include <cstdint>
#include <string_view>

namespace platform {

enum class ConsoleStream { Output, Error };

enum class ConsoleEvent {
    None,
    Interrupt,  // Ctrl+C, Ctrl+Break
    Close,      // termination request, hang-up, closed console, broken output pipe
};

class Console {
public:
    virtual ~Console() = default;
    // True when the stream goes to an interactive terminal.
    virtual bool IsTerminal(ConsoleStream stream) = 0;
    // Columns of the terminal, 0 when unknown or not a terminal.
    virtual int32_t Columns(ConsoleStream stream) = 0;
    // Writes text with "\n" line ends; the console's own code page and line
    // ends are the implementation's business. Failures are ignored.
    virtual void Write(ConsoleStream stream, std::wstring_view strText) = 0;
    // Writes text as a file of the program would hold it: the ANSI code page,
    // line ends exactly as given (a terminal still shows every character).
    virtual void WriteVerbatim(ConsoleStream stream, std::wstring_view strText) = 0;
    // Starts (true) or stops catching the requests; while caught they no
    // longer end the process but wait for TakeEvent (except a third Ctrl+C
    // that finds the first two not yet taken: it ends the process).
    virtual void CatchEvents(bool blnOn) = 0;
    // The next request caught and not yet taken (a close before an interrupt).
    virtual ConsoleEvent TakeEvent() = 0;
    // Sleeps up to lngMilliseconds, less when a request arrives.
    virtual void Wait(uint32_t lngMilliseconds) = 0;
};

// The process's own console.
Console& SystemConsole();

// Gives a program without a console of its own (a window program) the one it
// was started from, else a new one, for the streams that do not already go
// to a file or a pipe. Nothing to do where every program has one.
void UseParentConsole();

}  // namespace platform
