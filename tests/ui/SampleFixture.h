#pragma once
// The knowledge base the window tests share: firewall Alfa is installed, Beta
// is not, and the bank's server is out of reach. Also what the window shows on
// it, read alike by the tests of every toolkit.

#include "app/AppFixture.h"
#include "base/TestSupport.h"
#include "base/Version.h"
#include "ui/StringTable.h"

namespace testing_support {

// A control by the name a real window gives it ("chkOptions(1)").
struct ShownControl {
    const wchar_t* name;
    std::wstring text;
    bool enabled = true, visible = true, checked = false;
};

class SampleFixture : public AppFixture {
protected:
    // blnServerHelp: the server's breed comes with a description and a link.
    void WriteSample(bool blnServerHelp = false) {
        const char* serverHelp = "Info=Popis serveru\r\nURL=http://help.example/net/server.htm";
        folder.Write(L"Vigilor.dat", test_support::Golden("ui/Sample.dat") + (blnServerHelp ? serverHelp : ""));
        fake.registry.AddUninstallEntry(L"{A1}", std::wstring(L"Alfa Firewall 2.0"));
        fake.processes.processes = {L"init", L"blocker.exe"};
    }

    // The window as it opens.
    static std::vector<ShownControl> IdleWindow() {
        using ui::GetString;
        return {{L"lblAppName(1)", base::kProgramTitle},
                {L"lblVer", L"v 1.0.0 [3]"},
                {L"lblInfoUserHeader", GetString(101)},
                {L"lblInfoUserFooter", ui::GetStringFormat(102, L"START")},
                {L"cmdStart", L"&START"},
                {L"cmdReport", L"&REPORT", false},
                {L"cmdExit", L"&KONEC"},
                {L"chkOptions(1)", GetString(1), true, true, true},
                {L"chkOptions(2)", GetString(2)},
                {L"chkOptions(4)", GetString(3), true, false}};
    }
    // While a run of the sample goes on, and after it.
    static std::vector<ShownControl> DuringRun() {
        return {{L"cmdStart", L"&STORNO"}, {L"cmdReport", L"&REPORT", false}};
    }
    static std::vector<ShownControl> AfterRun() {
        return {{L"lblInfoUserHeader", ui::GetString(105)},
                {L"lblInfoUserFooter", SampleSummary()},
                {L"cmdStart", L"&START"},
                {L"cmdReport", L"&REPORT"}};
    }
    // A picked line's description and link in place of the summary.
    static std::vector<ShownControl> Details(const std::wstring& strText, const std::wstring& strLink) {
        return {{L"lblInfoUserFooter", SampleSummary(), true, false},
                {L"lblInfoUserFooterInfo", strText},
                {L"lblInfoUserFooterUrl", strLink}};
    }
    // Tab from the first check type: the enabled stops in order, and around.
    static std::vector<std::wstring> TabWalk() {
        return {L"chkOptions(2)", L"cmdStart", L"cmdExit", L"lstInfoUserItems", L"chkOptions(1)"};
    }
    // A run of both check types: the lines it leaves and its summary.
    static std::vector<std::wstring> SampleLines() {
        return {ui::GetStringFormat(112, L"Alfa"), ui::GetStringFormat(113, L"Server")};
    }
    static std::wstring SampleSummary() {
        return ui::GetStringFormat(116, 1) + L"\r\n" + ui::GetStringFormat(117, 1) + L"\r\n" + ui::GetString(107);
    }
};

}  // namespace testing_support
