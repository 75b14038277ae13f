#pragma once
// The program's command-line tools for knowledge-base authors and the
// support desk: --lint checks a knowledge base, --inventory prints the
// inventory lists a check would test. Neither runs a check.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Console.h"

namespace mdlTools {

inline constexpr int32_t kExitClean = 0;
inline constexpr int32_t kExitErrorsFound = 1;  // --lint found errors
inline constexpr int32_t kExitUsage = 2;        // bad usage; --lint: the file cannot be read
inline constexpr int32_t kExitCancelled = 3;    // --inventory stopped by Ctrl+C
inline constexpr int32_t kExitNotWritten = 4;   // --inventory could not write its output

// True when the command line names one of the tools.
bool IsToolCommand(const std::vector<std::wstring>& args);

// Runs the tool the command line names (args without the program's name);
// the exit status.
int32_t Main(const std::vector<std::wstring>& args, platform::Console& objConsole);

// --lint [FILE]: the findings on standard output; 0 no errors (warnings
// allowed), 1 errors, 2 the file cannot be read.
int32_t Lint(const std::wstring& strFile, platform::Console& objConsole);

// --inventory: each CLASS[:INPUT] gathered as a check would and printed as
// the report's list block (all classes that need no input when none is
// given); with blnToFile the blocks go to strOutput in the report's encoding.
int32_t Inventory(const std::vector<std::wstring>& requests, bool blnToFile, const std::wstring& strOutput,
                  platform::Console& objConsole);

}  // namespace mdlTools
