// The program's window on the Win32 toolkit, driven through real window
// messages (no stand-in below the seam), on a fake machine.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Version.h"
#include "ui/SampleFixture.h"
#include "ui/StringTable.h"
#include "ui/frmMain.h"
#include "ui/win32/Win32ControlBase.h"
#include "ui/win32/Win32Toolkit.h"
#include "ui/win32/Win32Window.h"

namespace {

using ui::GetString;
using ui::win32::Win32ControlBase;

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

class Win32WindowTest : public testing_support::SampleFixture {
protected:
    void TearDown() override {
        frm.reset();
        SampleFixture::TearDown();
    }

    void Open() {
        WriteSample(true);
        frm = std::make_unique<frmMain>(toolkit, L"");
        ASSERT_EQ(frm->Start(), 1);
        ASSERT_NE(Form(), nullptr);
    }
    HWND Form() const { return static_cast<ui::win32::Win32Window*>(frm->Form())->Handle(); }
    static HWND Of(ui::toolkit::Control* control) { return dynamic_cast<Win32ControlBase*>(control)->Handle(); }
    const ui::frmMainControls& C() const { return frm->Controls(); }
    HWND Start() const { return Of(C().cmdStart); }
    HWND List() const { return Of(C().lstInfoUserItems); }
    HWND Option(int16_t index) const { return Of(C().chkOptions->Item(index)); }
    // A control by its name in the window, "chkOptions(1)" for an element.
    HWND Named(const std::wstring& strName) const {
        for (ui::toolkit::Control* control : C().All()) {
            const int16_t i = control->Index();
            if (control->Name() + (i < 0 ? L"" : L"(" + std::to_wstring(i) + L")") == strName) return Of(control);
        }
        return nullptr;
    }

    void ExpectShown(const std::vector<testing_support::ShownControl>& controls) const {
        for (const auto& c : controls) {
            const HWND control = Named(c.name);
            EXPECT_EQ(TextOf(control), c.text) << c.name;
            EXPECT_EQ(IsWindowEnabled(control) != FALSE, c.enabled) << c.name;
            EXPECT_EQ(IsWindowVisible(control) != FALSE, c.visible) << c.name;
            EXPECT_EQ(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED, c.checked) << c.name;
        }
    }
    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        const auto count = SendMessageW(List(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(List(), LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(SendMessageW(List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            lines.push_back(text);
        }
        return lines;
    }
    // Runs an action from inside the program's message pump: posted before a
    // check starts, it is seen while the check runs.
    void AtPump(std::function<void()> action) {
        mAtPump = std::move(action);
        const SUBCLASSPROC probe = [](HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) -> LRESULT {
            if (m == WM_APP + 7) (*reinterpret_cast<std::function<void()>*>(data))();
            return DefSubclassProc(h, m, w, l);
        };
        SetWindowSubclass(Form(), probe, 7, reinterpret_cast<DWORD_PTR>(&mAtPump));
        PostMessageW(Form(), WM_APP + 7, 0, 0);
    }
    // Posts keys to a control and lets the program's pump handle them.
    void Keys(HWND target, std::initializer_list<std::pair<UINT, WPARAM>> keys) {
        for (const auto& [message, key] : keys) {
            const LPARAM flags = message == WM_KEYUP ? 0xC0000001 : message == WM_SYSCHAR ? 0x20000001 : 1;  // Alt held
            PostMessageW(target, message, key, flags);
        }
        toolkit.DoEvents();
    }
    std::wstring ToolTipOf(HWND tool) const {
        HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
        for (; tips != nullptr; tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) {
            if (GetWindow(tips, GW_OWNER) == Form()) break;
        }
        if (tips == nullptr) return L"(no tool tips)";
        wchar_t text[256] = L"";
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;
        info.hwnd = Form();
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = text;
        if (!SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return L"";
        SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
        return text;
    }

    ui::win32::Win32Toolkit toolkit{true};
    std::unique_ptr<frmMain> frm;
    std::function<void()> mAtPump;
};

TEST_F(Win32WindowTest, StartButtonRunsACheckAndShowsItsResults) {
    Open();
    EXPECT_EQ(TextOf(Form()), base::kProgramTitle);
    EXPECT_TRUE(IsWindowVisible(Form()));
    EXPECT_EQ(GetFocus(), Start());
    ExpectShown(IdleWindow());

    SendMessageW(Option(2), BM_CLICK, 0, 0);
    bool pumped = false;
    AtPump([&] {
        pumped = true;
        ExpectShown(DuringRun());
        SendMessageW(List(), WM_SETCURSOR, reinterpret_cast<WPARAM>(List()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    });
    SendMessageW(Start(), BM_CLICK, 0, 0);
    EXPECT_TRUE(pumped);
    ExpectShown(AfterRun());
    EXPECT_EQ(Lines(), SampleLines());
    EXPECT_EQ(SendMessageW(List(), LB_GETITEMDATA, 0, 0), 1);
    EXPECT_EQ(SendMessageW(List(), LB_GETITEMDATA, 1, 0), 3);

    // The second line by keyboard: arrows move, Enter shows its details.
    SetFocus(List());
    Keys(List(), {{WM_KEYDOWN, VK_HOME}, {WM_KEYUP, VK_HOME}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYUP, VK_DOWN}});
    EXPECT_EQ(SendMessageW(List(), LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(Of(C().lblInfoUserFooter)));
    Keys(List(), {{WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}});
    ExpectShown(Details(L"Popis serveru", L"server.htm"));

    // Over a line: the hand and the list's tool tip; leaving ends both.
    RECT line;
    SendMessageW(List(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&line));
    SendMessageW(List(), WM_MOUSEMOVE, 0, MAKELPARAM(line.left + 5, line.top + 2));
    EXPECT_EQ(ToolTipOf(List()), GetString(111));
    SendMessageW(List(), WM_SETCURSOR, reinterpret_cast<WPARAM>(List()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(GetModuleHandleW(nullptr), L"HAND"));
    SendMessageW(List(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ToolTipOf(List()), L"");
    SendMessageW(List(), WM_SETCURSOR, reinterpret_cast<WPARAM>(List()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorW(GetModuleHandleW(nullptr), L"HAND"));
}

TEST_F(Win32WindowTest, EscapeDuringARunClosesOnlyAfterTheRunUnwound) {
    Open();
    int32_t stateAtUnload = -1;
    frm->Form()->OnUnload = [&] { stateAtUnload = frm->State(); };
    // Escape waits in the queue and is handled at the check's first pump.
    PostMessageW(Start(), WM_KEYDOWN, VK_ESCAPE, 1);
    SendMessageW(Start(), BM_CLICK, 0, 0);
    const HWND form = Form();
    for (int i = 0; i < 500 && IsWindow(form); ++i) {
        toolkit.DoEvents();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }

    EXPECT_FALSE(IsWindow(form));
    EXPECT_FALSE(frm->Form()->Loaded());
    EXPECT_EQ(stateAtUnload & (frmMain::kStateBusy | frmMain::kStateCancel), 0) << stateAtUnload;
    EXPECT_EQ(frm->LastResult(), -1);
    EXPECT_EQ(frm->Controls().lblInfoUserHeader->Caption(), GetString(104));
}

TEST_F(Win32WindowTest, KeyboardAndClosing) {
    Open();
    // Tab walks the tab stops in their order; the disabled REPORT is passed.
    HWND at = Option(1);
    for (const std::wstring& next : TabWalk()) {
        at = GetNextDlgTabItem(Form(), at, FALSE);
        EXPECT_EQ(at, Named(next)) << TextOf(at);
    }

    // No check type, START by its access key: the message, and no check.
    SendMessageW(Option(1), BM_CLICK, 0, 0);
    Keys(Option(1), {{WM_SYSCHAR, L's'}});
    EXPECT_EQ(toolkit.QuietMessages(), std::vector<std::wstring>{GetString(501)});
    // Enter presses the focused button.
    SetFocus(Start());
    Keys(Start(), {{WM_KEYDOWN, VK_RETURN}});
    EXPECT_EQ(toolkit.QuietMessages().size(), 2u);
    EXPECT_EQ(frm->LastResult(), frmMain::kNoRun);

    // The close box while idle closes at once.
    SendMessageW(Form(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(frm->Form()->Loaded());
}

TEST_F(Win32WindowTest, LayoutFollowsTheResolution) {
    Open();
    // (Wider windows than the test display are cut to it.)
    for (const int dpi : {120, 144, 96}) {
        RECT suggested{0, 0, 100, 100};
        SendMessageW(Form(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT client;
        GetClientRect(Form(), &client);
        EXPECT_EQ(client.right, ui::toolkit::PixelsFromTwips(7815, dpi)) << dpi;
        EXPECT_EQ(client.bottom, ui::toolkit::PixelsFromTwips(5265, dpi)) << dpi;
        RECT start;
        GetWindowRect(Start(), &start);
        EXPECT_EQ(start.right - start.left, ui::toolkit::PixelsFromTwips(3600 + 1275, dpi) - ui::toolkit::PixelsFromTwips(3600, dpi));
        // The list's side borders lie outside its frame's client area.
        RECT list, frame;
        GetWindowRect(List(), &list);
        HWND frameHwnd = Of(C().picInfoUser);
        GetClientRect(frameHwnd, &frame);
        MapWindowPoints(frameHwnd, nullptr, reinterpret_cast<POINT*>(&frame), 2);
        EXPECT_LT(list.left, frame.left) << dpi;
        EXPECT_GT(list.right, frame.right) << dpi;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Start(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(8, dpi, 72)) << dpi;
    }
}

TEST(Win32Resources, MatchTheProgram) {
    HINSTANCE self = GetModuleHandleW(nullptr);
    // The string table, id by id, both ways.
    std::vector<int32_t> ids;
    for (const ui::StringEntry& entry : ui::StringTableEntries()) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(self, static_cast<UINT>(entry.ID), reinterpret_cast<LPWSTR>(&text), 0);
        EXPECT_EQ(std::wstring(text ? text : L"", static_cast<std::size_t>(length)), entry.Text) << entry.ID;
        ids.push_back(entry.ID);
    }
    for (UINT id = 0; id < 1024; ++id) {
        wchar_t buffer[8];
        if (LoadStringW(self, id, buffer, 8) > 0) {
            EXPECT_NE(std::find(ids.begin(), ids.end(), static_cast<int32_t>(id)), ids.end()) << id;
        }
    }
    EXPECT_NE(FindResourceExW(self, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(1), MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT)), nullptr);

    HICON icon = static_cast<HICON>(LoadImageW(self, MAKEINTRESOURCEW(30001), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    EXPECT_NE(icon, nullptr);
    DestroyIcon(icon);
    EXPECT_NE(LoadCursorW(self, L"HAND"), nullptr);
    HBITMAP banner = static_cast<HBITMAP>(LoadImageW(self, L"BANNER", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(banner, nullptr);
    DIBSECTION dib{};
    GetObjectW(banner, sizeof dib, &dib);
    EXPECT_EQ(dib.dsBm.bmWidth, 616);
    EXPECT_EQ(dib.dsBm.bmHeight, 28);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(banner);
    EXPECT_NE(FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr) << "manifest";

    // The version record carries the build's version.
    HRSRC version = FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    const auto* block = static_cast<const BYTE*>(LockResource(LoadResource(self, version)));
    const std::wstring record(reinterpret_cast<const wchar_t*>(block), SizeofResource(self, version) / sizeof(wchar_t));
    for (const std::wstring& value : {std::wstring(L"ProductVersion"), std::wstring(base::kVersionText), std::wstring(L"Quorvex.exe")}) {
        EXPECT_NE(record.find(value), std::wstring::npos) << value.size();
    }
}

}  // namespace
