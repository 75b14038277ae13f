#include "app/mdlTools.h"

#include "app/clsLint.h"
#include "app/mdlDataFile.h"
#include "base/Text.h"
#include "detect/clsDetector.h"
#include "detect/mdlRules.h"
#include "platform/Machine.h"

namespace mdlTools {

namespace {

using platform::ConsoleStream;

constexpr std::wstring_view kLint = L"--lint";
constexpr std::wstring_view kInventory = L"--inventory";
constexpr std::wstring_view kOutput = L"--output";

// The classes --inventory gathers when none is named: all that need no input.
constexpr std::wstring_view kDefaultClasses[] = {L"REGISTRY", L"PROGRAMFILES", L"STARTMENU",
                                                 L"PROCESS",  L"SERVICE",      L"DUN"};

int32_t UsageError(platform::Console& objConsole, const std::wstring& strWhy) {
    objConsole.Write(
        ConsoleStream::Error,
        L"quorvex: " + strWhy +
            L"\nusage: quorvex --lint [FILE]\n       quorvex --inventory [CLASS[:INPUT]]... [--output FILE]\n");
    return kExitUsage;
}

bool NeedsInput(std::wstring_view strClass) { return strClass == L"LOADLIBRARY" || strClass == L"DOWNLOADFILE"; }

// A Ctrl+C or a close request that arrived since the last look.
bool StopRequested(platform::Console& objConsole) {
    bool blnStop = false;
    while (objConsole.TakeEvent() != platform::ConsoleEvent::None) blnStop = true;
    return blnStop;
}

}  // namespace

bool IsToolCommand(const std::vector<std::wstring>& args) {
    for (const auto& arg : args) {
        if (arg == kLint || arg == kInventory) return true;
    }
    return false;
}

int32_t Main(const std::vector<std::wstring>& args, platform::Console& objConsole) {
    if (args.empty() || (args.front() != kLint && args.front() != kInventory)) {
        return UsageError(objConsole, L"--lint and --inventory come first and go with no other mode");
    }
    if (args.front() == kLint) {
        if (args.size() > 2) return UsageError(objConsole, L"--lint takes one file");
        if (args.size() == 2 && args[1].starts_with(L"--")) return UsageError(objConsole, L"unknown option " + args[1]);
        return Lint(args.size() == 2 ? args[1] : mdlDataFile::DataFilePath(), objConsole);
    }
    std::vector<std::wstring> requests;
    bool blnToFile = false;
    std::wstring strOutput;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == kOutput) {
            if (i + 1 >= args.size()) return UsageError(objConsole, L"--output needs a file name");
            blnToFile = true;
            strOutput = args[++i];
        } else if (arg.starts_with(std::wstring(kOutput) + L"=")) {
            blnToFile = true;
            strOutput = arg.substr(kOutput.size() + 1);
        } else if (arg.starts_with(L"--")) {
            return UsageError(objConsole, L"unknown option " + arg);
        } else {
            requests.push_back(arg);
        }
    }
    if (blnToFile && strOutput.empty()) return UsageError(objConsole, L"--output needs a file name");
    return Inventory(requests, blnToFile, strOutput, objConsole);
}

int32_t Lint(const std::wstring& strFile, platform::Console& objConsole) {
    clsLint objLint;
    if (!objLint.Run(strFile)) {
        objConsole.Write(ConsoleStream::Error, strFile + L": error: the file cannot be read\n");
        return kExitUsage;
    }
    objConsole.Write(ConsoleStream::Output, objLint.Text(strFile));
    return objLint.Errors() > 0 ? kExitErrorsFound : kExitClean;
}

int32_t Inventory(const std::vector<std::wstring>& requests, bool blnToFile, const std::wstring& strOutput,
                  platform::Console& objConsole) {
    // The tracks a check would gather these lists for.
    std::vector<clsTrack> tracks;
    for (const auto& strRequest : requests) {
        const size_t colon = strRequest.find(L':');
        clsTrack objTrack;
        objTrack.Class(strRequest.substr(0, colon));
        if (colon != std::wstring::npos) objTrack.InputValue(strRequest.substr(colon + 1));
        if (!mdlRules::IsKnownClass(objTrack.Class())) return UsageError(objConsole, L"unknown class " + strRequest);
        if (NeedsInput(objTrack.Class()) && objTrack.InputValue().empty()) {
            return UsageError(objConsole, objTrack.Class() + L" needs an input: " + objTrack.Class() + L":INPUT");
        }
        tracks.push_back(std::move(objTrack));
    }
    if (tracks.empty()) {
        for (std::wstring_view strClass : kDefaultClasses) {
            tracks.emplace_back();
            tracks.back().Class(strClass);
        }
    }

    const bool blnProgress = objConsole.IsTerminal(ConsoleStream::Error);
    objConsole.CatchEvents(true);
    clsDetector objDetector;
    size_t lngShown = 0;
    bool blnStopped = false;
    for (size_t i = 0; i < tracks.size() && !blnStopped; ++i) {
        const clsTrack& objTrack = tracks[i];
        if (blnProgress) {
            objConsole.Write(ConsoleStream::Error, L"quorvex: gathering " + objTrack.Class() + L" (" +
                                                       base::DecStr(static_cast<int64_t>(i + 1)) + L"/" +
                                                       base::DecStr(static_cast<int64_t>(tracks.size())) + L")\n");
        }
        // A request that came in while a list was gathered stops before the
        // next one: what was printed is whole lists only.
        blnStopped = !objDetector.ReportInventory(objTrack) || StopRequested(objConsole);
        if (blnStopped) break;
        if (!blnToFile) {
            const std::wstring strReport = objDetector.Report();
            objConsole.WriteVerbatim(ConsoleStream::Output, std::wstring_view(strReport).substr(lngShown));
            lngShown = strReport.size();
        }
    }
    objConsole.CatchEvents(false);
    if (blnStopped) {
        objConsole.Write(ConsoleStream::Error, L"quorvex: stopped\n");
        return kExitCancelled;
    }
    if (blnToFile) {
        platform::FileSystem& files = *platform::Host().files;
        if ((files.FileExists(strOutput) && !files.DeleteFile(strOutput)) ||
            !files.AppendText(strOutput, objDetector.Report())) {
            objConsole.Write(ConsoleStream::Error, L"quorvex: " + strOutput + L" cannot be written\n");
            return kExitNotWritten;
        }
    }
    return kExitClean;
}

}  // namespace mdlTools
