#include "ui/mdlMain.h"

#include <algorithm>

#include "app/mdlDataFile.h"
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

// The check types a user can choose; 4 is the window's hidden option, which
// never takes part in a check.
constexpr int16_t kKnownChecks[] = {1, 2};
constexpr wchar_t kCheckTypes[] = L"1 known firewalls, 2 communication with the bank's servers";

void ApplyChecks(Options& options, const std::wstring& strList) {
    options.ChecksGiven = true;
    options.Checks.clear();
    std::size_t from = 0;
    do {
        const std::size_t comma = std::min(strList.find(L',', from), strList.size());
        const std::wstring item = base::Trim(std::wstring_view(strList).substr(from, comma - from));
        const auto* known = std::find_if(std::begin(kKnownChecks), std::end(kKnownChecks),
                                         [&](int16_t index) { return item == base::DecStr(index); });
        if (known == std::end(kKnownChecks)) {
            options.Error = L"--checks " + strList + L": \"" + item + L"\" is not a check type (" + kCheckTypes + L")";
            return;
        }
        if (std::find(options.Checks.begin(), options.Checks.end(), *known) == options.Checks.end()) {
            options.Checks.push_back(*known);
        }
        from = comma + 1;
    } while (from <= strList.size());
}

// One option of the command line: its spellings (", " between them, the
// first one canonical), the placeholder of its value (empty for a switch),
// its lines in the usage text, and what it sets.
struct OptionInfo {
    std::wstring_view Names;
    std::wstring_view Value;
    std::wstring_view Help;
    void (*Apply)(Options& options, const std::wstring& strValue);
};

const OptionInfo kOptionTable[] = {
    {L"--console", L"", L"run one check in this terminal and end, without a window",
     [](Options& options, const std::wstring&) { options.Console = true; }},
    {L"--checks", L"LIST",
     L"the check types to run, by number, separated by commas:\n"
     L"1 known firewalls, 2 communication with the bank's servers\n"
     L"(default: 1)",
     ApplyChecks},
    {L"--help, -h, /?", L"", L"show this text and end",
     [](Options& options, const std::wstring&) { options.RunMode = Mode::Help; }},
};

bool HasName(std::wstring_view strNames, std::wstring_view strName) {
    std::size_t from = 0;
    while (from <= strNames.size()) {
        const std::size_t end = std::min(strNames.find(L", ", from), strNames.size());
        if (strNames.substr(from, end - from) == strName) return true;
        from = end + 2;
    }
    return false;
}

const OptionInfo* FindOption(std::wstring_view strName) {
    for (const OptionInfo& option : kOptionTable) {
        if (HasName(option.Names, strName)) return &option;
    }
    return nullptr;
}

// Usage lines: the names in a column, the help text beside them.
void AddUsageRow(std::wstring& strText, std::wstring_view strNames, std::wstring_view strHelp,
                 std::size_t lngColumn = 20) {
    std::wstring row = L"  " + std::wstring(strNames);
    row += row.size() < lngColumn ? std::wstring(lngColumn - row.size(), L' ') : L"\n" + std::wstring(lngColumn, L' ');
    for (wchar_t ch : strHelp) row += ch == L'\n' ? L"\n" + std::wstring(lngColumn, L' ') : std::wstring(1, ch);
    strText += row + L"\n";
}

// Whether the last check failed: an error ended it, or it had no breed to
// look for. Its "nothing found" would be a claim it cannot make.
bool CheckFailed(const frmMain& frm) {
    return frm.LastResult() == 0 || (frm.LastResult() == 1 && frm.App().Detector().BreedCount() == 0);
}

// Why the check behind exit status 4 did not give a result.
std::wstring IncompleteReason(const frmMain& frm, bool blnBroken) {
    if (blnBroken) return L"the window failed, so the check did not run to its end";
    const std::wstring strData = mdlDataFile::DataFilePath();
    if (frm.LastResult() == 0) {
        return L"the knowledge base " + strData +
               L" could not be read, so the check did not run to its end (the error log in " + frm.App().TempPath() +
               L" has the details)";
    }
    return L"the knowledge base " + strData + L" is missing or lists nothing to check";
}

int32_t RunWindow(const Options& options, ui::toolkit::Toolkit& objToolkit, platform::Console& objConsole,
                  ui::console::ConsoleToolkit* objOneCheck) {
    frmMain frm(objToolkit, options.CommandLine);
    bool blnBroken = false;
    if (objOneCheck != nullptr) {
        objOneCheck->CheckFinished = [&frm] { return !CheckFailed(frm); };
    }
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
        if (objOneCheck != nullptr && frm.NoCheckTypeChosen() && frm.Form() != nullptr) frm.Form()->Unload();
        if (frm.Form() != nullptr && frm.Form()->Loaded()) objToolkit.Run(*frm.Form());
    } catch (...) {
        // An error out of the start ends the program without a message box.
        blnBroken = true;
    }
    if (objOneCheck != nullptr) objOneCheck->CheckFinished = nullptr;
    int32_t lngStatus = kExitIncomplete;
    try {
        if (!blnBroken) lngStatus = ExitStatus(frm);
        // An earlier check's report may still be there: it is not this run's.
        if (frm.LastResult() != frmMain::kNoRun && frm.App().ReportWritten()) {
            objConsole.Write(platform::ConsoleStream::Output, L"Report: " + frm.ReportPath() + L"\n");
        }
        if (lngStatus == kExitIncomplete) {
            objConsole.Write(platform::ConsoleStream::Error, L"quorvex: " + IncompleteReason(frm, blnBroken) + L"\n");
        }
    } catch (...) {
    }
    return lngStatus;
}

}  // namespace

Options ParseCommandLine(const std::vector<std::wstring>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size() && options.Error.empty(); ++i) {
        const std::wstring& arg = args[i];
        // "--name=value" as well as "--name value".
        const std::size_t equals = arg.starts_with(L"--") ? arg.find(L'=') : std::wstring::npos;
        const std::wstring name = arg.substr(0, equals);
        if (const OptionInfo* option = FindOption(name)) {
            std::wstring value;
            if (option->Value.empty()) {
                if (equals != std::wstring::npos) {
                    options.Error = name + L" takes no value";
                    break;
                }
            } else if (equals != std::wstring::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                options.Error = name + L" needs " + std::wstring(option->Value);
                break;
            }
            option->Apply(options, value);
        } else if (base::InStr(1, arg, L"start", true) > 0) {
            // The window's own rule: the word anywhere, in any case (/autostart).
            if (!options.CommandLine.empty()) options.CommandLine += L' ';
            options.CommandLine += arg;
        } else {
            const bool blnOption = arg.starts_with(L"-") || arg.starts_with(L"/");
            options.Error = (blnOption ? L"unknown option " : L"unexpected argument ") + arg;
        }
    }
    return options;
}

std::wstring Usage() {
    std::wstring text = L"usage: quorvex [start] [OPTION]...\n"
                        L"Finds what on this computer may block the communication with the bank's servers\n"
                        L"and writes TEMP" + platform::PathSep() + L"report.txt beside the program.\n\n";
    AddUsageRow(text, L"start", L"run the check as soon as the window is shown; any argument\n"
                                L"holding the word start, in any letter case, counts");
    for (const OptionInfo& option : kOptionTable) {
        std::wstring names(option.Names);
        if (!option.Value.empty()) names += L" " + std::wstring(option.Value);
        AddUsageRow(text, names, option.Help);
    }
    text += L"\nTools for knowledge-base authors and the support desk (no check, no network):\n";
    AddUsageRow(text, L"--lint [FILE]", L"check a knowledge base, by default the Vigilor.dat beside the\n"
                                        L"program; exit status 0 no errors, 1 errors, 2 the file cannot be read");
    AddUsageRow(text, L"--inventory [CLASS[:INPUT]]... [--output FILE]",
                L"print the inventory lists a check would test, as the report's\n"
                L"list blocks: REGISTRY PROGRAMFILES STARTMENU PROCESS SERVICE DUN\n"
                L"(all of these when none is named), LOADLIBRARY:NAME and\n"
                L"DOWNLOADFILE:URL when named; --output writes FILE in the report's\n"
                L"encoding; exit status 0 done, 2 bad usage, 3 stopped by Ctrl+C,\n"
                L"4 the output cannot be written");
    text += L"\nWithout --console the window is shown when one can be opened here; otherwise\n"
            L"the check runs in this terminal.\n\n"
            L"Exit status:\n";
    const wchar_t* const statuses[] = {L"nothing found", L"something found", L"bad usage, or no check type chosen",
                                       L"cancelled, or closed before a check ran",
                                       L"the check could not run to its end (the knowledge base could\n"
                                       L"not be read, or it is missing)"};
    for (std::size_t status = 0; status < std::size(statuses); ++status) {
        AddUsageRow(text, base::DecStr(static_cast<int32_t>(status)), statuses[status], 6);
    }
    return text;
}

int32_t ExitStatus(const frmMain& frm) {
    if (frm.NoCheckTypeChosen()) return kExitUsage;
    if (frm.LastResult() == -1 || frm.LastResult() == frmMain::kNoRun) return kExitCancelled;
    if (CheckFailed(frm)) return kExitIncomplete;
    return frm.Found(0) > 0 ? kExitFound : kExitNothingFound;
}

int32_t Run(const Options& options, ui::toolkit::Toolkit& objToolkit, platform::Console& objConsole) {
    return RunWindow(options, objToolkit, objConsole, nullptr);
}

int32_t Run(const Options& options, ui::console::ConsoleToolkit& objToolkit, platform::Console& objConsole) {
    return RunWindow(options, objToolkit, objConsole, &objToolkit);
}

int32_t Main(const std::vector<std::wstring>& args) {
    platform::Console& console = platform::SystemConsole();
    try {
        if (mdlTools::IsToolCommand(args)) {
            platform::UseParentConsole();
            return mdlTools::Main(args, console);
        }
        const Options options = ParseCommandLine(args);
        if (options.Console || options.RunMode == Mode::Help || !options.Error.empty()) platform::UseParentConsole();
        if (!options.Error.empty()) {
            console.Write(platform::ConsoleStream::Error, L"quorvex: " + options.Error + L"\n" + Usage());
            return kExitUsage;
        }
        switch (options.RunMode) {
        case Mode::Help:
            console.Write(platform::ConsoleStream::Output, Usage());
            return kExitNothingFound;
        case Mode::Check:
            break;
        }
        // The window when this build has one and it can be shown; the console
        // front end otherwise.
        if (!options.Console) {
            if (std::unique_ptr<ui::toolkit::Toolkit> window = ui::OpenWindowToolkit(args)) {
                ToolkitDialogs dialogs(*window);
                platform::Machine machine;
                machine.dialogs = &dialogs;
                const platform::ScopedMachine scope(machine);
                return Run(options, *window, console);
            }
        }
        platform::UseParentConsole();
        ui::console::ConsoleToolkit toolkit(console);
        ToolkitDialogs dialogs(toolkit);
        platform::Machine machine;
        machine.dialogs = &dialogs;
        const platform::ScopedMachine scope(machine);
        return Run(options, toolkit, console);
    } catch (...) {
        return kExitIncomplete;
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
