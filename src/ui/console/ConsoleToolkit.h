#pragma once
// The text front end: the main window drawn on a console. What it shows:
//   - the header text as a line whenever it changes while the window is not
//     busy; while busy, header and progress line share one line that is
//     redrawn in place on a terminal (and not shown at all otherwise);
//   - each permanent result line (a list line with an item datum) as it is
//     added; lines with datum 0 are progress lines;
//   - the footer message (start hint, summary) whenever it changes;
//   - at the end, the details of every found line, taken by selecting it as
//     the user would and reading the description and the link's tool tip;
//   - message boxes on standard error, answered OK.
// Ctrl+C while busy clicks the focused button (STORNO), otherwise it asks
// the window to close; termination and a closed terminal ask it to close.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Console.h"
#include "ui/toolkit/Memory.h"

namespace ui::console {

// The controls the console reads, by name.
struct ConsoleLayout {
    std::wstring Header = L"lblInfoUserHeader";
    std::wstring Footer = L"lblInfoUserFooter";
    std::wstring List = L"lstInfoUserItems";
    std::wstring Description = L"lblInfoUserFooterInfo";
    std::wstring Link = L"lblInfoUserFooterUrl";
};

class ConsoleToolkit final : public toolkit::memory::MemToolkit {
public:
    // Timers count on objClock; null means the machine's clock.
    explicit ConsoleToolkit(platform::Console& objConsole, platform::Clock* objClock = nullptr, ConsoleLayout layout = {});
    ~ConsoleToolkit() override;
    ConsoleToolkit(const ConsoleToolkit&) = delete;
    ConsoleToolkit& operator=(const ConsoleToolkit&) = delete;

    int32_t MsgBox(std::wstring_view strText, uint32_t lngFlags, std::wstring_view strTitle) override;
    // Takes the console's requests, delivers due timer ticks, and draws.
    void DoEvents() override;
    // One check and out: clicks the focused button unless a check has already
    // run, waits for pending timers (a deferred close), prints the found
    // items' details, and unloads the window.
    void Run(toolkit::Window& objWindow) override;
    void Called(const toolkit::memory::Call& call) override;
    uint32_t Now() override;

    // Prints the details of every found line (once per item datum).
    void PrintFoundDetails();
    // Whether the window has been busy (a check ran) since the toolkit began.
    bool CheckRan() const { return mEverBusy; }
    // Asked when the window's texts change after a check: false when that
    // check failed, and then the header and footer (which would read as its
    // result) are not printed. Unset: every check counts as finished.
    std::function<bool()> CheckFinished;

private:
    bool Busy() const;
    toolkit::memory::MemListBox* List() const;
    void TakeConsoleEvents();
    void Draw();
    void PrintLines(std::wstring_view strText);
    void EraseTransient();
    void DrawTransient(const std::wstring& strText);

    platform::Console& mConsole;
    platform::Clock* mClock;
    ConsoleLayout mLayout;
    bool mTerminal = false;
    bool mEverBusy = false;
    bool mStartClicked = false;
    bool mDetailsPrinted = false;
    std::wstring mHeader;
    std::wstring mFooter;
    std::wstring mTransient;  // what the in-place line shows now
};

}  // namespace ui::console
