#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "base/CodePage.h"
#include "fakes/FakeConsole.h"
#include "ui/FormControlSet.h"
#include "ui/StringTable.h"
#include "ui/clsListBoxEx.h"
#include "ui/console/ConsoleToolkit.h"

namespace {

using platform::ConsoleEvent;
using ui::GetString;
using ui::GetStringFormat;
using ui::toolkit::MousePointer;
using ui::toolkit::UnloadMode;

// What a terminal shows after the output: "\r" returns to the line start,
// "\n" opens the next line, other characters overwrite. Trailing blanks cut.
std::vector<std::wstring> Screen(const std::wstring& output) {
    std::vector<std::wstring> lines{L""};
    std::size_t column = 0;
    for (wchar_t ch : output) {
        if (ch == L'\n') lines.emplace_back();
        if (ch == L'\r' || ch == L'\n') {
            column = 0;
            continue;
        }
        auto& line = lines.back();
        line.resize(std::max(line.size(), column + 1));
        line[column++] = ch;
    }
    for (auto& line : lines) {
        while (!line.empty() && line.back() == L' ') line.pop_back();
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

// The main window's controls as the layout makes them (the console finds them
// by their names), and the presentation steps of one check driven by hand.
class ConsoleToolkitTest : public ::testing::Test {
protected:
    void Make(bool blnTerminal, int32_t lngColumns = 200) {
        console.terminal = blnTerminal;
        console.columns = lngColumns;
        console.clock = &clock;
        toolkit = std::make_unique<ui::console::ConsoleToolkit>(console, &clock);
        window = toolkit->NewWindow(L"frmMain");
        c = ui::CreateFormControls(*window);
        c.cmdStart->SetFocus();
        lb.Initialise(*window, *c.lstInfoUserItems);
        lb.ShowUserInfo = [this](const std::wstring&, const std::wstring& d, const std::wstring& u) {
            c.lblInfoUserFooterInfo->Caption(d.empty() && u.empty() ? GetString(108) : d);
            c.lblInfoUserFooterUrl->ToolTip(u);
            c.lblInfoUserFooter->Visible(false);
            c.lblInfoUserFooterInfo->Visible(true);
            c.lblInfoUserFooterUrl->Visible(true);
            toolkit->DoEvents();
        };
        c.lblInfoUserHeader->Caption(GetString(101));
        c.lblInfoUserFooter->Caption(GetStringFormat(102, L"START"));
    }

    static std::shared_ptr<clsUserInfo> Item(std::wstring_view strText, std::wstring_view strDescription = {},
                                             std::wstring_view strURL = {}) {
        auto item = std::make_shared<clsUserInfo>();
        item->Fill(L"name", strDescription, strURL);
        item->Text(strText);
        return item;
    }

    void BeginRun() {
        window->Pointer(MousePointer::Hourglass);
        c.lblInfoUserHeader->Caption(L"");
        c.lblInfoUserFooter->Caption(L"");
        lb.AddItemEx(Item(L""), 1, 0);
    }
    void Progress(int32_t lngPercent, std::wstring_view strName) {
        c.lblInfoUserHeader->Caption(GetStringFormat(109, std::to_wstring(lngPercent) + L"% "));
        lb.AddItemEx(Item(GetStringFormat(110, strName)), 3, 0);
        toolkit->DoEvents();
    }
    void Found(int32_t lngID, std::wstring_view strName, std::wstring_view strDescription = {}, std::wstring_view strURL = {}) {
        lb.AddItemEx(Item(GetStringFormat(112, strName), strDescription, strURL), 2, lngID);
        toolkit->DoEvents();
    }
    void EndRun(std::wstring_view strSummary) {
        lb.AddItemEx(Item(L""), 4, 0);
        toolkit->DoEvents();
        window->Pointer(MousePointer::Default);
        c.lblInfoUserHeader->Caption(GetString(105));
        c.lblInfoUserFooter->Caption(strSummary);
        toolkit->DoEvents();
    }

    std::wstring Summary() const { return GetStringFormat(116, 1) + L"\r\n" + GetString(107); }

    testing_support::FakeClock clock;
    testing_support::FakeConsole console;
    std::unique_ptr<ui::console::ConsoleToolkit> toolkit;
    std::unique_ptr<ui::toolkit::Window> window;
    ui::frmMainControls c;
    clsListBoxEx lb;
};

TEST_F(ConsoleToolkitTest, WithoutATerminalOnlyPermanentLinesAppear) {
    Make(false);
    EXPECT_TRUE(console.catching) << "requests are caught for the toolkit's lifetime";
    BeginRun();
    Progress(25, L"Inicializace");
    Found(7, L"Alpha");
    Progress(50, L"Scan");
    Found(9, L"Beta");
    EndRun(Summary());
    EXPECT_EQ(console.out, GetString(101) + L"\n" + GetStringFormat(102, L"START") + L"\n" + GetStringFormat(112, L"Alpha") +
                               L"\n" + GetStringFormat(112, L"Beta") + L"\n" + GetString(105) + L"\n" +
                               GetStringFormat(116, 1) + L"\n" + GetString(107) + L"\n");
    EXPECT_EQ(console.err, L"");
    lb.ShowUserInfo = nullptr;
    window.reset();  // a toolkit outlives its windows
    toolkit.reset();
    EXPECT_FALSE(console.catching);
}

TEST_F(ConsoleToolkitTest, OnATerminalProgressIsRedrawnInPlace) {
    Make(true);
    BeginRun();
    Progress(25, L"Inicializace");
    const auto during = Screen(console.out);
    ASSERT_EQ(during.size(), 3u);
    EXPECT_EQ(during[2], base::Utf8ToWide("Prob\xC3\xADh\xC3\xA1 detekce 25%        Inicializace"));
    Found(7, L"Alpha");
    Progress(50, L"Scan");
    auto screen = Screen(console.out);
    ASSERT_EQ(screen.size(), 4u);
    EXPECT_EQ(screen[2], GetStringFormat(112, L"Alpha"));
    EXPECT_EQ(screen[3], GetStringFormat(109, L"50% ") + GetStringFormat(110, L"Scan"));
    EndRun(GetString(114) + L"\r\n");
    screen = Screen(console.out);
    EXPECT_EQ(screen, (std::vector<std::wstring>{GetString(101), GetStringFormat(102, L"START"), GetStringFormat(112, L"Alpha"),
                                                 GetString(105), GetString(114)}));
}

TEST_F(ConsoleToolkitTest, ProgressLineIsCutToTheTerminalWidthAndMessagesGoToStandardError) {
    Make(true, 12);
    BeginRun();
    Progress(5, L"Inicializace");
    EXPECT_EQ(Screen(console.out).back(), GetStringFormat(109, L"").substr(0, 11));
    EXPECT_EQ(toolkit->MsgBox(GetString(501), ui::toolkit::kMsgInformation, L"Quorvex"), ui::toolkit::kMsgAnswerOk);
    EXPECT_EQ(console.err, L"Quorvex: " + GetString(501) + L"\n");
    // The progress line was taken away first, so the box does not land in it.
    EXPECT_EQ(Screen(console.out).size(), 2u);
}

// A line exactly as wide as the terminal would wrap: it loses its last column too.
TEST_F(ConsoleToolkitTest, ProgressLineAsWideAsTheTerminalIsCut) {
    const std::wstring full = GetStringFormat(109, L"25% ") + GetStringFormat(110, L"Inicializace");
    Make(true, static_cast<int32_t>(full.size()));
    BeginRun();
    Progress(25, L"Inicializace");
    EXPECT_EQ(Screen(console.out).back(), full.substr(0, full.size() - 1));
}

TEST_F(ConsoleToolkitTest, InterruptIsTheFocusedButtonWhileBusyAndACloseOtherwise) {
    Make(false);
    int clicks = 0;
    std::vector<UnloadMode> asked;
    c.cmdStart->OnClick = [&] { ++clicks; };
    window->OnQueryUnload = [&](bool& blnCancel, UnloadMode mode) {
        asked.push_back(mode);
        blnCancel = true;
    };
    BeginRun();
    console.events = {ConsoleEvent::Interrupt, ConsoleEvent::Interrupt};
    toolkit->DoEvents();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(asked.empty());
    console.events = {ConsoleEvent::Close};
    toolkit->DoEvents();
    window->Pointer(MousePointer::Default);
    console.events = {ConsoleEvent::Interrupt};
    toolkit->DoEvents();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(asked, (std::vector<UnloadMode>{UnloadMode::TaskManager, UnloadMode::CloseBox}));
    EXPECT_TRUE(window->Loaded());
}

TEST_F(ConsoleToolkitTest, RunStartsOneCheckPrintsDetailsAndUnloads) {
    Make(false);
    int clicks = 0;
    c.cmdStart->OnClick = [&] {
        ++clicks;
        BeginRun();
        Found(3, L"Alpha", L"Popis\r\ndruhý", L"http://host/a/alpha.htm");
        Found(4, L"Beta");
        EndRun(Summary());
    };
    toolkit->Run(*window);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(window->Loaded());
    const std::wstring pad(11, L' ');
    const std::wstring details = L"\n" + GetStringFormat(112, L"Alpha") + L"\n" + pad + L"Popis\n" + pad + L"druhý\n" + pad +
                                 L"http://host/a/alpha.htm\n" + L"\n" + GetStringFormat(112, L"Beta") + L"\n" + pad +
                                 GetString(108) + L"\n";
    EXPECT_TRUE(console.out.ends_with(details)) << testing::PrintToString(console.out);
    EXPECT_TRUE(toolkit->CheckRan());
}

// The details follow what selecting a line shows: no description line when
// it shows none, no block for a line a handler took away.
TEST_F(ConsoleToolkitTest, DetailsFollowWhatTheSelectionShows) {
    Make(false);
    c.cmdStart->OnClick = [&] { BeginRun(); Found(3, L"Alpha"); Found(4, L"Beta"); EndRun(Summary()); };
    lb.ShowUserInfo = [this](auto&, auto&, auto&) { c.lstInfoUserItems->RemoveItem(c.lstInfoUserItems->ListCount() - 1); };
    toolkit->Run(*window);
    EXPECT_TRUE(console.out.ends_with(GetString(107) + L"\n\n" + GetStringFormat(112, L"Alpha") + L"\n"))
        << testing::PrintToString(console.out);
}

// A tick that took longer than the period leaves the timer due at once: it is
// served before the run moves on (here with no focused button to start).
TEST_F(ConsoleToolkitTest, RunServesATimerDueAgainAfterASlowTick) {
    Make(false);
    static_cast<ui::toolkit::memory::MemWindow&>(*window).SetFocusTo(nullptr);
    int ticks = 0;
    c.tmrClose->Interval(100);
    c.tmrClose->Enabled(true);
    c.tmrClose->OnTimer = [&] {
        clock.milliseconds += 100;
        if (++ticks == 2) c.tmrClose->Enabled(false);
    };
    toolkit->Run(*window);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(window->Loaded());
}

// A check already ran: Run starts no other, and waits for the close timer.
TEST_F(ConsoleToolkitTest, RunAfterACheckWaitsForTheCloseTimer) {
    Make(false);
    int ticks = 0, clicks = 0;
    bool busy = true;
    c.cmdStart->OnClick = [&] { ++clicks; };
    window->OnQueryUnload = [&](bool& blnCancel, UnloadMode) {
        if (busy) {
            blnCancel = true;
            c.tmrClose->Interval(200);
            c.tmrClose->Enabled(true);
        }
    };
    c.tmrClose->OnTimer = [&] {
        ++ticks;
        busy = ticks < 2;  // the check unwinds between the ticks
        c.tmrClose->Enabled(false);
        if (busy) {
            c.tmrClose->Enabled(true);
        } else {
            window->Unload();
        }
    };
    BeginRun();
    console.events = {ConsoleEvent::Close};
    toolkit->DoEvents();
    EXPECT_TRUE(c.tmrClose->Enabled());
    window->Pointer(MousePointer::Default);
    toolkit->Run(*window);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(window->Loaded());
    uint32_t waited = 0;
    for (uint32_t ms : console.waits) waited += ms;
    EXPECT_EQ(waited, 400u);
}

}  // namespace
