#include "ui/mdlMain.h"

#include <algorithm>

#include "app/mdlTools.h"
#include "base/Text.h"
#include "log/LogRecType.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"
#include "ui/console/ConsoleToolkit.h"
#include "ui/WindowFrontEnd.h"
#include "ui/frmMain.h"

namespace mdlMain {

namespace {

constexpr int16_t kKnownChecks[] = {1, 2, 4};

// Message boxes raised below the window (the detector's, the log writer's)
// go where the front end shows its own.
class ToolkitDialogs final : public platform::Dialogs {
public:
    explicit ToolkitDialogs(ui::toolkit::Toolkit& objToolkit) : mToolkit(objToolkit) {}
    int32_t MessageBox(std::wstring_view strText, std::wstring_view strTitle, uint32_t lngFlags) override {
        return mToolkit.MsgBox(strText, lngFlags, strTitle);
    }

private:
    ui::toolkit::Toolkit& mToolkit;
};

bool ParseChecks(std::wstring_view strList, std::vector<int16_t>& checks) {
    checks.clear();
    std::size_t from = 0;
    while (from <= strList.size() && !strList.empty()) {
        const std::size_t comma = std::min(strList.find(L',', from), strList.size());
        const std::wstring item = base::Trim(strList.substr(from, comma - from));
        bool known = false;
        for (int16_t index : kKnownChecks) {
            if (item == base::DecStr(index)) {
                checks.push_back(index);
                known = true;
            }
        }
        if (!known) return false;
        from = comma + 1;
    }
    return true;
}

}  // namespace

Options ParseCommandLine(const std::vector<std::wstring>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--console") {
            options.Console = true;
        } else if (arg == L"--help" || arg == L"-h") {
            options.Help = true;
        } else if (arg == L"--checks" || arg.starts_with(L"--checks=")) {
            std::wstring list;
            if (arg == L"--checks") {
                if (i + 1 >= args.size()) {
                    options.Error = L"--checks needs a list of check types, such as 1,2";
                    return options;
                }
                list = args[++i];
            } else {
                list = arg.substr(9);
            }
            options.ChecksGiven = true;
            if (!ParseChecks(list, options.Checks)) {
                options.Error = L"unknown check type in --checks " + list;
                return options;
            }
        } else if (arg.starts_with(L"--")) {
            options.Error = L"unknown option " + arg;
            return options;
        } else {
            if (!options.CommandLine.empty()) options.CommandLine += L' ';
            options.CommandLine += arg;
        }
    }
    return options;
}

std::wstring Usage() {
    return L"usage: quorvex [--console] [start] [--checks 1,2]\n"
           L"       quorvex --lint [FILE]\n"
           L"       quorvex --inventory [CLASS[:INPUT]]... [--output FILE]\n"
           L"  start          run the check at once\n"
           L"  --console      run in the terminal instead of a window\n"
           L"  --checks LIST  check types to run: 1 known firewalls, 2 communication with the bank's servers\n"
           L"  --lint         check a knowledge base (default: the Vigilor.dat beside the program)\n"
           L"  --inventory    print inventory lists as the report's list blocks (default: REGISTRY PROGRAMFILES\n"
           L"                 STARTMENU PROCESS SERVICE DUN; LOADLIBRARY:NAME and DOWNLOADFILE:URL when named)\n"
           L"  --output FILE  write the inventory to FILE in the report's encoding\n"
           L"exit status: 0 nothing found, 1 found, 2 bad usage or no check type, 3 cancelled\n"
           L"  --lint: 0 no errors, 1 errors, 2 the file cannot be read\n"
           L"  --inventory: 0 done, 2 bad usage, 3 stopped by Ctrl+C, 4 the output cannot be written\n";
}

int32_t ExitStatus(const frmMain& frm) {
    if (frm.NoCheckTypeChosen()) return kExitUsage;
    if (frm.LastResult() == -1 || frm.LastResult() == frmMain::kNoRun) return kExitCancelled;
    return frm.Found(0) > 0 ? kExitFound : kExitNothingFound;
}

int32_t Run(const Options& options, ui::toolkit::Toolkit& objToolkit, platform::Console& objConsole, bool blnOneCheck) {
    frmMain frm(objToolkit, options.CommandLine);
    try {
        frm.Load();
        if (options.ChecksGiven) {
            ui::toolkit::CheckBoxArray& array = *frm.Controls().chkOptions;
            for (int16_t index : array.Indexes()) {
                if (index == 0) continue;  // the template
                const bool blnTick = std::find(options.Checks.begin(), options.Checks.end(), index) != options.Checks.end();
                array.Item(index)->Value(blnTick ? ui::toolkit::kChecked : ui::toolkit::kUnchecked);
            }
        }
        frm.Start();
        // A front end that runs one check and ends cannot let the user tick
        // a check type: the message already said what is wrong.
        if (blnOneCheck && frm.NoCheckTypeChosen() && frm.Form() != nullptr) frm.Form()->Unload();
        if (frm.Form() != nullptr && frm.Form()->Loaded()) objToolkit.Run(*frm.Form());
    } catch (...) {
        // An error out of the start ends the program without a message.
    }
    try {
        const std::wstring strReport = frm.ReportPath();
        if (frm.LastResult() != frmMain::kNoRun && platform::Host().files->FileExists(strReport)) {
            objConsole.Write(platform::ConsoleStream::Output, L"Report: " + strReport + L"\n");
        }
    } catch (...) {
    }
    return ExitStatus(frm);
}

int32_t Main(const std::vector<std::wstring>& args) {
    platform::Console& console = platform::SystemConsole();
    try {
        if (mdlTools::IsToolCommand(args)) return mdlTools::Main(args, console);
        const Options options = ParseCommandLine(args);
        if (!options.Error.empty()) {
            console.Write(platform::ConsoleStream::Error, L"quorvex: " + options.Error + L"\n" + Usage());
            return kExitUsage;
        }
        if (options.Help) {
            console.Write(platform::ConsoleStream::Output, Usage());
            return kExitNothingFound;
        }
        // The window when this build has one and it can be shown; the console
        // front end otherwise.
        if (!options.Console) {
            if (std::unique_ptr<ui::toolkit::Toolkit> window = ui::OpenWindowToolkit(args)) {
                ToolkitDialogs dialogs(*window);
                platform::Machine machine;
                machine.dialogs = &dialogs;
                const platform::ScopedMachine scope(machine);
                return Run(options, *window, console, false);
            }
        }
        ui::console::ConsoleToolkit toolkit(console);
        ToolkitDialogs dialogs(toolkit);
        platform::Machine machine;
        machine.dialogs = &dialogs;
        const platform::ScopedMachine scope(machine);
        return Run(options, toolkit, console, true);
    } catch (...) {
        return kExitCancelled;
    }
}

bool OpenURL(std::wstring_view strURL) {
    try {
        if (strURL.empty()) return false;
        platform::Machine& host = platform::Host();
        const intptr_t lngResult = host.shell->Open(strURL, host.system->ProgramFolder());
        if (lngResult > 32) return true;
        const uint32_t lngLastError = host.system->LastError();
        mdlLog::LogEvent(L"[mdlMain] (OpenURL)",
                         L"DllErr: ShellExecute RETURN=" + base::DecStr(lngResult) + L"\t" + base::DecStr(lngLastError) +
                             L"\t" + std::wstring(strURL),
                         mdlLog::ERRLOG);
    } catch (...) {
    }
    return false;
}

}  // namespace mdlMain
