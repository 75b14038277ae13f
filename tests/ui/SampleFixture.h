#pragma once
// The knowledge base the window tests share: firewall Alfa is installed, Beta
// is not, and the bank's server is out of reach. Also what the window shows on
// it, read alike by the tests of every toolkit.

#include "app/AppFixture.h"
#include "base/TestSupport.h"
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

    // The window as it opens, one control of each kind and state: the rest of
    // its texts and states are frmMain's, checked on the memory toolkit.
    static std::vector<ShownControl> IdleWindow() {
        return {{L"lblInfoUserHeader", ui::GetString(101)},
                {L"cmdReport", L"&REPORT", false},
                {L"chkOptions(1)", ui::GetString(1), true, true, true},
                {L"chkOptions(4)", ui::GetString(3), true, false}};
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
