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

namespace mdlMain {

inline constexpr int32_t kExitNothingFound = 0;
inline constexpr int32_t kExitFound = 1;
inline constexpr int32_t kExitUsage = 2;
inline constexpr int32_t kExitCancelled = 3;

struct Options {
    bool Console = false;
    bool Help = false;
    // --checks: the check-type options to tick by index, the others cleared.
    bool ChecksGiven = false;
    std::vector<int16_t> Checks;
    // The words that are not options, joined by blanks: the window looks for
    // "start" in them.
    std::wstring CommandLine;
    // Why the command line is unusable; empty when it is fine.
    std::wstring Error;
};

// args without the program's own name.
Options ParseCommandLine(const std::vector<std::wstring>& args);
std::wstring Usage();

// 2 no check type chosen, 3 cancelled (or closed before a check ran),
// 1 something found, 0 nothing found.
int32_t ExitStatus(const frmMain& frm);

// Creates the window on objToolkit, applies the options, starts it and runs
// the toolkit's loop until the window is gone; writes the report's path to
// objConsole. blnOneCheck: the front end runs one check and ends (the
// console). The exit status.
int32_t Run(const Options& options, ui::toolkit::Toolkit& objToolkit, platform::Console& objConsole,
            bool blnOneCheck = false);

// The whole program on the process's console.
int32_t Main(const std::vector<std::wstring>& args);

// Opens a link or a document with the system's handler, the program's folder
// as working folder. False (and an error trace) when that fails.
bool OpenURL(std::wstring_view strURL);

}  // namespace mdlMain
