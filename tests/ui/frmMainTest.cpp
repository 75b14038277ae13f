#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "fakes/FakeConsole.h"
#include "fakes/RecordingToolkit.h"
#include "base/TestSupport.h"
#include "base/Version.h"
#include "ui/SampleFixture.h"
#include "ui/StringTable.h"
#include "ui/console/ConsoleToolkit.h"
#include "ui/frmMain.h"
#include "ui/mdlMain.h"

namespace {

using ui::GetString;
using ui::GetStringFormat;

// Opening links: recorded, answered with a chosen result.
class FakeShell final : public platform::Shell {
public:
    intptr_t result = 42;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> folders;
    intptr_t Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) override {
        opened.emplace_back(strTarget);
        folders.emplace_back(strWorkingFolder);
        return result;
    }
};

class FrmMainTest : public testing_support::SampleFixture {
protected:
    void SetUp() override {
        SampleFixture::SetUp();
        WriteSample();
        platform::Machine machine;
        machine.shell = &shell;
        shellScope = std::make_unique<platform::ScopedMachine>(machine);
    }

    void Open(std::wstring strCommandLine = L"") {
        frm = std::make_unique<frmMain>(toolkit, std::move(strCommandLine));
        frm->Load();
        mark = toolkit.calls.size();
    }
    void Tick(int16_t index, bool blnOn) { toolkit.Option(L"chkOptions", index).Value(blnOn ? 1 : 0); }

    // Values set on a member since Open.
    std::vector<std::wstring> Since(std::wstring_view strTarget, std::wstring_view strMember) const {
        std::vector<std::wstring> values;
        for (std::size_t i = mark; i < toolkit.calls.size(); ++i) {
            const auto& call = toolkit.calls[i];
            if (call.Target == strTarget && call.Member == strMember) values.push_back(call.Value);
        }
        return values;
    }
    // Texts of the lines added to the result list since Open.
    std::vector<std::wstring> AddedLines() const {
        std::vector<std::wstring> lines;
        for (const auto& value : Since(L"lstInfoUserItems", L"AddItem")) lines.push_back(value.substr(value.find(L',') + 1));
        return lines;
    }
    std::wstring Header() const { return toolkit.Label(L"lblInfoUserHeader").Caption(); }
    std::wstring Footer() const { return toolkit.Label(L"lblInfoUserFooter").Caption(); }
    bool ReportEnabled() const { return toolkit.Button(L"cmdReport").Enabled(); }
    void ClickStart() { toolkit.Button(L"cmdStart").Click(); }
    std::wstring ReportPath() const { return folder.File(L"TEMP") + platform::PathSep() + L"report.txt"; }
    // The program on the text console, its output in text.
    int32_t RunOnConsole(const mdlMain::Options& options, testing_support::FakeConsole& text) {
        text.clock = &fake.clock;
        ui::console::ConsoleToolkit console(text, &fake.clock);
        return mdlMain::Run(options, console, text);
    }

    FakeShell shell;
    std::unique_ptr<platform::ScopedMachine> shellScope;
    testing_support::RecordingToolkit toolkit;
    std::unique_ptr<frmMain> frm;
    std::size_t mark = 0;
};

TEST_F(FrmMainTest, CheckTypesMakeTheMask) {
    const struct {
        bool first, second;
        std::wstring footer;
    } cases[] = {
        {true, false, GetStringFormat(116, 1) + L"\r\n" + GetString(107)},
        {false, true, GetStringFormat(117, 1) + L"\r\n" + GetString(107)},
    };
    for (const auto& c : cases) {
        Open();
        Tick(1, c.first);
        Tick(2, c.second);
        ClickStart();
        EXPECT_EQ(Footer(), c.footer) << c.first << c.second;
        EXPECT_EQ(frm->LastResult(), 1);
        EXPECT_TRUE(toolkit.boxes.empty());
    }

    // Nothing ticked (the hidden option does not count): the message, no run.
    Open();
    Tick(1, false);
    Tick(4, true);
    ClickStart();
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, GetString(501));
    EXPECT_EQ(toolkit.boxes[0].flags, ui::toolkit::kMsgInformation);
    EXPECT_EQ(Header(), GetString(101));
    EXPECT_EQ(frm->LastResult(), frmMain::kNoRun);
    EXPECT_EQ(mdlMain::ExitStatus(*frm), mdlMain::kExitUsage);
}

TEST_F(FrmMainTest, ARunShowsProgressResultsAndTheSummary) {
    Open();
    Tick(2, true);
    std::vector<bool> reportWhileBusy;
    toolkit.AtPump([&] { reportWhileBusy.push_back(ReportEnabled()); });
    ClickStart();

    const std::wstring running = GetStringFormat(109, L"");
    EXPECT_EQ(Since(L"lblInfoUserHeader", L"Caption"),
              (std::vector<std::wstring>{L"", running, running, running + L"33% ", running + L"66% ", running + L"100% ",
                                         running, running + L"33% ", running + L"66% ", running + L"100% ",
                                         GetString(105)}));
    const auto line = [](int32_t id, const wchar_t* name) { return GetStringFormat(id, name); };
    EXPECT_EQ(AddedLines(), (std::vector<std::wstring>{line(110, L"Detekce"), line(110, L"Inicializace"),
                                                       line(110, L"Inicializace"), line(110, L"Inicializace"),
                                                       line(110, L"Inicializace"), line(110, L"Scan"),
                                                       line(110, L"Alfa"), line(112, L"Alfa"), line(110, L"Beta"),
                                                       line(110, L"Server"), line(113, L"Server")}));
    const auto& list = toolkit.List(L"lstInfoUserItems");
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.Lines()[0].Data, 1);
    EXPECT_EQ(list.Lines()[1].Data, 3);
    EXPECT_EQ(list.ForeColor(), ui::toolkit::kColorRed);
    EXPECT_EQ(frm->Found(0), 2);
    EXPECT_EQ(frm->Found(1), 1);
    EXPECT_EQ(frm->Found(2), 1);
    EXPECT_EQ(Footer(), SampleSummary());
    EXPECT_EQ(Since(L"cmdStart", L"Caption"), (std::vector<std::wstring>{L"&STORNO", L"&START"}));
    EXPECT_EQ(Since(L"frmMain", L"Pointer"), (std::vector<std::wstring>{L"11", L"0"}));
    EXPECT_EQ(reportWhileBusy, std::vector<bool>{false});
    EXPECT_TRUE(ReportEnabled());
    EXPECT_EQ(frm->State(), 0);
    EXPECT_EQ(mdlMain::ExitStatus(*frm), mdlMain::kExitFound);

    // Picking a result line shows its details; one without help says so.
    toolkit.List(L"lstInfoUserItems").ClickLine(0);
    EXPECT_EQ(toolkit.Label(L"lblInfoUserFooterInfo").Caption(), L"Popis Alfa");
    EXPECT_EQ(toolkit.Label(L"lblInfoUserFooterUrl").Caption(), L"alfa.htm");
    EXPECT_FALSE(toolkit.Label(L"lblInfoUserFooter").Visible());
    toolkit.Label(L"lblInfoUserFooterUrl").Click();
    EXPECT_EQ(shell.opened, std::vector<std::wstring>{L"http://help.example/fw/alfa.htm"});
    EXPECT_EQ(shell.folders, std::vector<std::wstring>{folder.WPath()});
    toolkit.List(L"lstInfoUserItems").ClickLine(1);
    EXPECT_EQ(toolkit.Label(L"lblInfoUserFooterInfo").Caption(), GetString(108));

    // The next run starts from a clean list in the window's colour.
    fake.registry = {};
    std::vector<ui::toolkit::Color> colours;
    toolkit.AtPump([&] {
        colours = {toolkit.List(L"lstInfoUserItems").ForeColor(), toolkit.Label(L"lblInfoUserFooter").ForeColor()};
    });
    ClickStart();
    EXPECT_EQ(colours, std::vector<ui::toolkit::Color>(2, toolkit.Window().ForeColor()));
    EXPECT_NE(toolkit.Window().ForeColor(), ui::toolkit::kColorRed);
    EXPECT_EQ(frm->Found(1), 0);
    EXPECT_EQ(toolkit.List(L"lstInfoUserItems").ListCount(), 1);
}

TEST_F(FrmMainTest, ReportButtonOpensTheReportOnlyAfterAFind) {
    fake.registry = {};
    Open();
    ClickStart();
    EXPECT_EQ(Footer(), GetString(114) + L"\r\n");
    EXPECT_FALSE(toolkit.Button(L"cmdReport").Click()) << "nothing found: the button is off";
    EXPECT_EQ(mdlMain::ExitStatus(*frm), mdlMain::kExitNothingFound);

    WriteSample();
    std::vector<bool> clickedWhileBusy;
    toolkit.AtPump([&] { clickedWhileBusy.push_back(toolkit.Button(L"cmdReport").Click()); });
    ClickStart();
    EXPECT_EQ(clickedWhileBusy, std::vector<bool>{false});
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(toolkit.Button(L"cmdReport").Click());
    EXPECT_EQ(shell.opened, std::vector<std::wstring>{ReportPath()});

    // Results up to 32 are the shell's errors.
    for (const auto& [result, opened] : {std::pair<intptr_t, bool>{32, false}, {33, true}}) {
        shell.result = result;
        EXPECT_EQ(mdlMain::OpenURL(L"http://help.example/"), opened) << result;
    }
    // A report that cannot be opened: no message; a link that cannot: one.
    shell.result = 2;
    EXPECT_TRUE(toolkit.Button(L"cmdReport").Click());
    EXPECT_TRUE(toolkit.boxes.empty());
    frm->lblInfoUserFooterUrl_Click();  // an empty link is not even tried
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, GetString(502));
    EXPECT_EQ(shell.opened.size(), 4u);
}

TEST_F(FrmMainTest, StornoDuringARunCancelsIt) {
    for (int clicks : {1, 2}) {
        Open();
        std::vector<int32_t> states;
        // The first pumps come before the check begins (it would clear the
        // request): STORNO reaches it during the knowledge-base load.
        toolkit.AtPump([] {});
        toolkit.AtPump([] {});
        for (int i = 0; i < clicks; ++i) {
            toolkit.AtPump([&] {
                ClickStart();
                states.push_back(frm->State());
            });
        }
        ClickStart();
        EXPECT_EQ(states, std::vector<int32_t>(clicks, frmMain::kStateBusy | frmMain::kStateCancel));
        EXPECT_TRUE(gblnCancel);
        EXPECT_EQ(frm->LastResult(), -1);
        EXPECT_EQ(Header(), GetString(104));
        EXPECT_EQ(Footer(), L"");
        EXPECT_EQ(toolkit.List(L"lstInfoUserItems").ListCount(), 0);
        EXPECT_FALSE(ReportEnabled());
        EXPECT_EQ(toolkit.Button(L"cmdStart").Caption(), L"&START");
        EXPECT_EQ(toolkit.Window().Pointer(), ui::toolkit::MousePointer::Default);
        EXPECT_EQ(frm->State(), 0);
        EXPECT_EQ(mdlMain::ExitStatus(*frm), mdlMain::kExitCancelled);
    }
}

TEST_F(FrmMainTest, ClosingDuringARunWaitsForItToUnwind) {
    Open();
    auto& window = toolkit.Window();
    auto& timer = toolkit.Timer(L"tmrClose");
    std::vector<bool> refused;
    toolkit.AtPump([] {});
    toolkit.AtPump([] {});
    std::size_t armings = 0;
    toolkit.AtPump([&] {
        refused.push_back(!window.Unload(ui::toolkit::UnloadMode::CloseBox));
        toolkit.Advance(150);
        // A second request is refused and does not restart the timer.
        refused.push_back(!window.PressEscape() || window.Loaded());
        armings = Since(L"tmrClose", L"Enabled").size();
        // A tick while the run is still on the stack only re-arms the timer.
        toolkit.Advance(50);
    });
    ClickStart();
    EXPECT_EQ(refused, (std::vector<bool>{true, true}));
    EXPECT_EQ(Since(L"tmrClose", L"Enabled").size(), armings + 1) << "one tick, 200 ms after the first request";
    EXPECT_EQ(frm->LastResult(), -1);
    EXPECT_TRUE(window.Loaded());
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 200);
    EXPECT_EQ(frm->State(), frmMain::kStateClosing);

    toolkit.Advance(199);
    EXPECT_TRUE(window.Loaded());
    toolkit.Advance(1);
    EXPECT_FALSE(window.Loaded());
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(frm->State(), 0);
}

TEST_F(FrmMainTest, TheWordStartInAnyCaseRunsAtOnce) {
    const struct {
        const wchar_t* commandLine;
        bool runs;
    } cases[] = {{L"start", true}, {L"START", true}, {L"/autoStart", true}, {L"", false}, {L"stop st art", false}};
    for (const auto& c : cases) {
        Open(c.commandLine);
        EXPECT_EQ(frm->Start(), 1);
        EXPECT_TRUE(toolkit.Button(L"cmdStart").HasFocus());
        EXPECT_TRUE(toolkit.Window().Shown());
        EXPECT_EQ(Header(), c.runs ? GetString(105) : GetString(101)) << c.commandLine;
    }
}

TEST_F(FrmMainTest, AnErrorOutOfTheCheckStillEndsWithTheSummary) {
    folder.Write(L"log.ini", "[Default]\r\ndefault=FILE\r\n");
    folder.Write(L"Vigilor.dat", test_support::Golden("ui/Unreadable.dat"));  // its second breed fails
    Open(L"start");
    frm->Start();
    EXPECT_EQ(frm->LastResult(), 0);
    EXPECT_EQ(Header(), GetString(105));
    EXPECT_EQ(Footer(), GetString(114) + L"\r\n");
    EXPECT_EQ(frm->State(), 0);
    EXPECT_EQ(toolkit.Button(L"cmdStart").Caption(), L"&START");
    EXPECT_EQ(toolkit.Window().Pointer(), ui::toolkit::MousePointer::Default);
    EXPECT_NE(ReadTemp(L"SYS_Quorvex_261206.TXT").find("[frmMain] (Action)\t"), std::string::npos);
}

// Help is no error, and lists every exit status.
TEST(MdlMainTest, HelpListsTheExitStatuses) {
    EXPECT_NE(mdlMain::Usage().find(L"\n  4   the check could not run to its end"), std::wstring::npos);
    EXPECT_EQ(mdlMain::Main({L"--help"}), mdlMain::kExitNothingFound);
}

TEST(MdlMainTest, CommandLine) {
    using mdlMain::Mode;
    const struct {
        std::vector<std::wstring> args;
        bool bad;
        bool console = false;
        std::vector<int16_t> checks = {};
        std::wstring commandLine = L"";
        Mode mode = Mode::Check;
    } cases[] = {
        {{L"--console", L"start"}, false, true, {}, L"start"},
        {{L"Start", L"--checks", L"1,2"}, false, false, {1, 2}, L"Start"},
        {{L"--checks=2, 1,2", L"/autoSTART", L"--autostart"}, false, false, {2, 1}, L"/autoSTART --autostart"},
        {{L"--console", L"-h"}, false, true, {}, L"", Mode::Help},
        {{L"/?"}, false, false, {}, L"", Mode::Help},
        {{L"--checks", L"4"}, true},
        {{L"--checks=1,"}, true},
        {{L"--checks"}, true},
        {{L"--console=yes"}, true},
        {{L"--verbose", L"start"}, true},
        {{L"stop"}, true},
    };
    for (const auto& c : cases) {
        const auto options = mdlMain::ParseCommandLine(c.args);
        const std::string label = testing::PrintToString(c.args);
        EXPECT_EQ(!options.Error.empty(), c.bad) << label;
        if (c.bad) continue;
        EXPECT_EQ(options.Console, c.console) << label;
        EXPECT_EQ(options.Checks, c.checks) << label;
        EXPECT_EQ(options.CommandLine, c.commandLine) << label;
        EXPECT_EQ(options.RunMode, c.mode) << label;
    }
}

TEST_F(FrmMainTest, MainAppliesTheChecksAndNamesTheReport) {
    testing_support::FakeConsole console;
    const auto options = mdlMain::ParseCommandLine({L"--console", L"start", L"--checks", L"2"});
    // Only the communication check runs: it finds the blocker, not Alfa.
    EXPECT_EQ(mdlMain::Run(options, toolkit, console), mdlMain::kExitFound);
    EXPECT_EQ(toolkit.ValuesOf(L"lblInfoUserFooter", L"Caption").back(),
              GetStringFormat(117, 1) + L"\r\n" + GetString(107));
    EXPECT_EQ(console.out, L"Report: " + ReportPath() + L"\n");

    mdlMain::Options none;
    none.ChecksGiven = true;
    // On the console, which clicks START itself when no check ran, the
    // message still comes once.
    testing_support::FakeConsole text;
    EXPECT_EQ(RunOnConsole(none, text), mdlMain::kExitUsage);
    EXPECT_EQ(text.err, std::wstring(base::kProgramTitle) + L": " + GetString(501) + L"\n");
    EXPECT_EQ(text.out.find(L"Report:"), std::wstring::npos) << "no check, no report";
}

// A check that cannot give a result must not read as "nothing found", nor
// point at the report an earlier check left behind.
TEST_F(FrmMainTest, ACheckWithoutAResultSaysSo) {
    const struct {
        const char* name;
        std::string data;  // empty: no knowledge base at all
        const wchar_t* why;
        bool reportWritten;
    } cases[] = {
        {"no knowledge base", "", L"is missing", true},  // the sample is removed first
        {"load error", test_support::Golden("ui/Unreadable.dat"), L"could not be read", false},
    };
    std::filesystem::remove(folder.Path() / "Vigilor.dat");
    for (const auto& c : cases) {
        if (!c.data.empty()) folder.Write(L"Vigilor.dat", c.data);
        folder.Write(L"TEMP/report.txt", "earlier");
        testing_support::FakeConsole text;
        EXPECT_EQ(RunOnConsole(mdlMain::ParseCommandLine({L"--console"}), text), mdlMain::kExitIncomplete) << c.name;
        EXPECT_EQ(text.out.find(GetString(105)), std::wstring::npos) << c.name;
        EXPECT_EQ(text.out.find(GetString(114)), std::wstring::npos) << c.name;
        EXPECT_EQ(text.out.find(L"Report: " + ReportPath()) != std::wstring::npos, c.reportWritten) << c.name;
        EXPECT_NE(text.err.find(c.why), std::wstring::npos) << c.name;
        EXPECT_EQ(folder.Read(L"TEMP/report.txt") == "earlier", !c.reportWritten) << c.name;
    }

    // Cancelled while the knowledge base loads: no report is written, so
    // none is named.
    WriteSample();
    folder.Write(L"TEMP/report.txt", "earlier");
    testing_support::FakeConsole text;
    bool clicked = false;
    for (int pump = 0; pump < 8; ++pump) {
        toolkit.AtPump([&] {
            const auto lines = AddedLines();
            const bool loading = std::find(lines.begin(), lines.end(), GetStringFormat(110, L"Inicializace")) != lines.end();
            if (clicked || !loading) return;
            clicked = true;
            ClickStart();
        });
    }
    EXPECT_EQ(mdlMain::Run(mdlMain::ParseCommandLine({L"start"}), toolkit, text), mdlMain::kExitCancelled);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(text.out, L"");
    EXPECT_EQ(folder.Read(L"TEMP/report.txt"), "earlier");
}

}  // namespace
