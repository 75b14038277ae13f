#pragma once
// The program's one window: its life cycle, starting and cancelling a check,
// the deferred close while a check runs, the report button, and the
// presentation of the controller's progress (frmMain_InfoUser.cpp). It
// reaches its controls only through the toolkit seam.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/clsApp.h"
#include "ui/FormControlSet.h"
#include "ui/clsListBoxEx.h"
#include "ui/clsUserInfo.h"
#include "ui/toolkit/Toolkit.h"

class frmMain {
public:
    // Window state bits.
    static constexpr int32_t kStateBusy = 2;
    static constexpr int32_t kStateCancel = 4;
    static constexpr int32_t kStateClosing = 8;

    // strCommandLine: the program's arguments; the word start in it, in any
    // case, runs a check as soon as the window is shown.
    frmMain(ui::toolkit::Toolkit& objToolkit, std::wstring strCommandLine);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Loads the window (controls and their set-up) unless it is loaded.
    void Load();
    // Loads and shows the window, focuses START, and runs a check at once
    // when the command line asks for it. 1, or 0 after an error.
    int32_t Start();

    ui::toolkit::Window* Form() const { return mobjForm.get(); }
    const ui::frmMainControls& Controls() const { return mControls; }
    clsApp& App() const { return *mobjApp; }
    // Found items of the last check: 0 all, 1 firewalls, 2 communication problems.
    int32_t Found(int32_t lngIndex) const { return mlngFound.at(static_cast<std::size_t>(lngIndex)); }
    int32_t State() const { return mlngState; }
    // The result of the last Action (1 ran, 0 skipped or failed, -1
    // cancelled); kNoRun before the first.
    static constexpr int32_t kNoRun = -2;
    int32_t LastResult() const { return mlngLastResult; }
    // Whether the last START found no check type chosen.
    bool NoCheckTypeChosen() const { return mblnNoCheckType; }
    // The report the last check wrote.
    std::wstring ReportPath() const;

    // Handlers of the controls' events (public so that a front end or a test
    // may fire them as the user would).
    void cmdStart_Click();
    void cmdExit_Click();
    void cmdReport_Click();
    void tmrClose_Timer();
    void lblInfoUserFooterUrl_Click();
    void Form_QueryUnload(bool& blnCancel, ui::toolkit::UnloadMode intUnloadMode);
    // The controller's Status event.
    void mobjApp_Status(int32_t lngType, const std::wstring& strText, int32_t lngIndex, int32_t lngCount, int32_t lngID);
    // The result list's ShowUserInfo event.
    void mobjLB_ShowUserInfo(const std::wstring& strName, const std::wstring& strDescription, const std::wstring& strURL);

private:
    void Form_Load();
    void SetState(int32_t lngState, bool blnOn);
    bool IsState(int32_t lngState) const;
    int32_t Action(int32_t lngFilter);
    int32_t Cancel();

    // Presentation (frmMain_InfoUser.cpp).
    void InfoUser(int32_t lngType, const std::shared_ptr<clsUserInfo>& objUserInfo, int32_t lngIndex, int32_t lngCount);
    void InfoUser_Text(int32_t lngType, std::wstring_view strName, std::wstring_view strDescription = {},
                       std::wstring_view strURL = {});
    void ShowFooterMessage(const std::wstring& strText);
    void ResetListLook();

    ui::toolkit::Toolkit& mobjToolkit;
    std::wstring mstrCommandLine;
    std::unique_ptr<clsApp> mobjApp;
    std::unique_ptr<clsListBoxEx> mobjLB;
    std::unique_ptr<ui::toolkit::Window> mobjForm;
    ui::frmMainControls mControls;
    int32_t mlngState = 0;
    std::array<int32_t, 3> mlngFound{0, 0, 0};
    int32_t mlngLastResult = kNoRun;
    bool mblnNoCheckType = false;
};
