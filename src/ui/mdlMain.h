#pragma once
// The program entry: reads the command line, makes the front end, creates
// the main window and starts it, and turns the outcome into the exit status.
// Also OpenURL, which the window uses for links and the report.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Console.h"
#include "ui/toolkit/Toolkit.h"

class frmMain;
namespace ui::console {
class ConsoleToolkit;
}

namespace mdlMain {

inline constexpr int32_t kExitNothingFound = 0;
inline constexpr int32_t kExitFound = 1;
inline constexpr int32_t kExitUsage = 2;
inline constexpr int32_t kExitCancelled = 3;
inline constexpr int32_t kExitIncomplete = 4;

// What the program is asked to do. A new mode is a value here, a row in the
// option table (mdlMain.cpp) and a branch in Main.
enum class Mode { Check, Help };

struct Options {
    Mode RunMode = Mode::Check;
    // The console front end even when a window could be shown.
    bool Console = false;
    // --checks: the check-type options to tick by index, the others cleared.
    bool ChecksGiven = false;
    std::vector<int16_t> Checks;
    // The arguments that hold the word start, joined by blanks: the window
    // runs a check at once when it finds the word in them.
    std::wstring CommandLine;
    // Why the command line is unusable; empty when it is fine.
    std::wstring Error;
};

// args without the program's own name.
Options ParseCommandLine(const std::vector<std::wstring>& args);
std::wstring Usage();

// 2 no check type chosen, 3 cancelled (or closed before a check ran),
// 4 the last check failed or had no knowledge base to check with,
// 1 something found, 0 nothing found.
int32_t ExitStatus(const frmMain& frm);

// Creates the window on objToolkit, applies the options, starts it and runs
// the toolkit's loop until the window is gone; writes the report's path to
// objConsole when the last check wrote the report, and says there why a
// check failed. The exit status.
int32_t Run(const Options& options, ui::toolkit::Toolkit& objToolkit, platform::Console& objConsole);
// The same on the console front end, which runs one check and ends, and does
// not print the summary of a check that failed as if it were a result.
int32_t Run(const Options& options, ui::console::ConsoleToolkit& objToolkit, platform::Console& objConsole);

// The whole program on the process's console.
int32_t Main(const std::vector<std::wstring>& args);

// Opens a link or a document with the system's handler, the program's folder
// as working folder. False (and an error trace) when that fails.
bool OpenURL(std::wstring_view strURL);

}  // namespace mdlMain
