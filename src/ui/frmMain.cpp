#include "ui/frmMain.h"

#include <utility>

#include "app/mdlDataFile.h"
#include "base/IgnoreErrors.h"
#include "base/Text.h"
#include "base/Version.h"
#include "base/gblnCancel.h"
#include "log/LogRecType.h"
#include "log/mdlLog.h"
#include "platform/Machine.h"
#include "ui/StringTable.h"
#include "ui/mdlMain.h"

using ui::toolkit::MousePointer;

namespace {

constexpr int32_t kDebugLog = mdlLog::DebugLog;
constexpr int32_t kNoCheckTypeMessage = 501;

}  // namespace

frmMain::frmMain(ui::toolkit::Toolkit& objToolkit, std::wstring strCommandLine)
    : mobjToolkit(objToolkit), mstrCommandLine(std::move(strCommandLine)) {
    // Form_Initialize: the controller first, then the list extension.
    mobjApp = std::make_unique<clsApp>();
    mobjApp->OnStatus([this](int32_t lngType, const std::wstring& strText, int32_t lngIndex, int32_t lngCount,
                             int32_t lngID) { mobjApp_Status(lngType, strText, lngIndex, lngCount, lngID); });
    mobjLB = std::make_unique<clsListBoxEx>();
    mobjLB->ShowUserInfo = [this](const std::wstring& strName, const std::wstring& strDescription,
                                  const std::wstring& strURL) { mobjLB_ShowUserInfo(strName, strDescription, strURL); };
}

frmMain::~frmMain() {
    // Form_Terminate. The list extension goes before the list it drives (it
    // keeps pointers to it; the list's events find it gone), then the window,
    // then the controller, which writes "APP END".
    try {
        mobjLB.reset();
        mControls = {};
        mobjForm.reset();
        mobjApp.reset();
    } catch (...) {
    }
}

std::wstring frmMain::ReportPath() const {
    return mobjApp->TempPath() + platform::PathSep() + L"report.txt";
}

void frmMain::Load() {
    if (mobjForm) return;
    mobjForm = mobjToolkit.NewWindow(L"frmMain");
    mControls = ui::CreateFormControls(*mobjForm);
    ui::frmMainControls& c = mControls;
    mobjForm->OnQueryUnload = [this](bool& blnCancel, ui::toolkit::UnloadMode mode) { Form_QueryUnload(blnCancel, mode); };
    c.cmdStart->OnClick = [this] { cmdStart_Click(); };
    c.cmdReport->OnClick = [this] { cmdReport_Click(); };
    c.cmdExit->OnClick = [this] { cmdExit_Click(); };
    c.tmrClose->OnTimer = [this] { tmrClose_Timer(); };
    c.lblInfoUserFooterUrl->OnClick = [this] { lblInfoUserFooterUrl_Click(); };
    Form_Load();
}

void frmMain::Form_Load() {
    ui::FormControlSetContext context;
    context.KnowledgeBaseCount = [] { return mdlDataFile::ReadDataFile(L"General", L"Count", L"0"); };
    context.ListBox = mobjLB.get();
    context.InfoUserText = [this](int32_t lngType, const std::wstring& strName) { InfoUser_Text(lngType, strName); };
    ui::FormControlSet(mControls, context);
}

int32_t frmMain::Start() {
    int32_t lngResult = 0;
    try {
        Load();
        mobjForm->Show();
        lngResult = 1;
        mControls.cmdStart->SetFocus();
        if (base::InStr(1, mstrCommandLine, L"start", true) > 0) cmdStart_Click();
    } catch (...) {
        lngResult = 0;
        mdlLog::LogError(L"[frmMain] (Start)", L"", L"");
    }
    return lngResult;
}

void frmMain::SetState(int32_t lngState, bool blnOn) {
    try {
        if (lngState != 0) {
            const bool blnAll = (mlngState & lngState) == lngState;
            if (!blnAll && blnOn) {
                mlngState += lngState;
            } else if (blnAll && !blnOn) {
                mlngState -= lngState;
            }
        } else if (blnOn) {
            mlngState = 0;
        }
        // Whether or not the bit changed: a second STORNO asks again.
        if (lngState == kStateCancel) {
            mobjApp->Cancel(!blnOn);
        } else if (lngState == kStateBusy && mobjForm) {
            mobjForm->Pointer(IsState(kStateBusy) ? MousePointer::Hourglass : MousePointer::Default);
        }
    } catch (...) {
    }
}

bool frmMain::IsState(int32_t lngState) const {
    return (mlngState & lngState) == lngState;
}

void frmMain::cmdStart_Click() {
    try {
        if (IsState(kStateBusy)) {
            Cancel();
            return;
        }
        int32_t lngFilter = 0;
        gblnCancel = false;
        ui::toolkit::CheckBoxArray& options = *mControls.chkOptions;
        for (int16_t intIndex : options.Indexes()) {
            const ui::toolkit::CheckBox* option = options.Item(intIndex);
            if (option != nullptr && option->Visible() && option->Value() == ui::toolkit::kChecked) lngFilter += intIndex;
        }
        mblnNoCheckType = lngFilter == 0;
        if (lngFilter != 0) {
            Action(lngFilter);
        } else {
            mobjToolkit.MsgBox(ui::GetString(kNoCheckTypeMessage), ui::toolkit::kMsgInformation, base::kProgramTitle);
        }
    } catch (...) {
    }
}

int32_t frmMain::Action(int32_t lngFilter) {
    int32_t lngResult = 0;
    ui::frmMainControls& c = mControls;
    try {
        mdlLog::LogEvent(L"[frmMain] (Action)", L"START: STATE=" + base::DecStr(mlngState), kDebugLog);
        if (!IsState(kStateCancel) && !IsState(kStateClosing) && !IsState(kStateBusy)) {
            SetState(kStateBusy, true);
            c.cmdStart->Caption(ui::GetString(7));
            c.cmdReport->Enabled(false);
            InfoUser_Text(0, L"");
            InfoUser_Text(1, ui::GetString(103));
            mobjApp->Check(lngFilter);
            if (!IsState(kStateCancel)) lngResult = 1;
        }
    } catch (...) {
        // An error out of the check (a bad knowledge base): recorded, and the
        // window still comes back to idle with what was counted.
        lngResult = 0;
        mdlLog::LogError(L"[frmMain] (Action)", L"", L"");
    }

    base::IgnoreErrors([&] { SetState(kStateBusy, false); });
    if (IsState(kStateCancel)) {
        base::IgnoreErrors([&] { SetState(kStateCancel, false); });
        lngResult = -1;
    }
    // Known before the closing texts appear, so that a front end can tell a
    // summary of a finished check from one of a check that failed.
    mlngLastResult = lngResult;
    base::IgnoreErrors([&] { c.cmdStart->Caption(ui::GetString(4)); });
    if (lngResult != -1) {
        base::IgnoreErrors([&] { InfoUser_Text(-1, ui::GetString(105)); });
        std::wstring strSummary;
        if ((lngFilter & 1) != 0) {
            strSummary += mlngFound[1] < 1 ? ui::GetString(114) : ui::GetStringFormat(116, mlngFound[1]);
            strSummary += L"\r\n";
        }
        if ((lngFilter & 2) != 0) {
            strSummary += mlngFound[2] < 1 ? ui::GetString(115) : ui::GetStringFormat(117, mlngFound[2]);
            strSummary += L"\r\n";
        }
        if (mlngFound[0] < 1) {
            base::IgnoreErrors([&] { c.cmdReport->Enabled(false); });
        } else {
            base::IgnoreErrors([&] { c.cmdReport->Enabled(true); });
            strSummary += ui::GetString(107);
        }
        base::IgnoreErrors([&] { InfoUser_Text(-4, strSummary); });
    } else {
        base::IgnoreErrors([&] { InfoUser_Text(0, L""); });
        base::IgnoreErrors([&] { InfoUser_Text(-1, ui::GetString(104)); });
        base::IgnoreErrors([&] { c.cmdReport->Enabled(false); });
    }
    mdlLog::LogEvent(L"[frmMain] (Action)", L"END: RETURN=" + base::DecStr(lngResult), kDebugLog);
    return lngResult;
}

int32_t frmMain::Cancel() {
    int32_t lngResult = 0;
    try {
        mdlLog::LogEvent(L"[frmMain] (Cancel)", L"START: STATE=" + base::DecStr(mlngState), kDebugLog);
        if (IsState(kStateBusy)) {
            SetState(kStateCancel, true);
            gblnCancel = true;
        }
        lngResult = 1;
    } catch (...) {
        lngResult = 0;
        mdlLog::LogError(L"[frmMain] (Cancel)", L"", L"");
    }
    mdlLog::LogEvent(L"[frmMain] (Cancel)", L"END: RETURN=" + base::DecStr(lngResult), kDebugLog);
    return lngResult;
}

void frmMain::cmdExit_Click() {
    base::IgnoreErrors([&] {
        if (mobjForm) mobjForm->Unload(ui::toolkit::UnloadMode::Code);
    });
}

void frmMain::cmdReport_Click() {
    base::IgnoreErrors([&] {
        if (IsState(kStateBusy)) return;
        // A report that cannot be opened is traced by OpenURL; no message here.
        mdlMain::OpenURL(ReportPath());
    });
}

void frmMain::Form_QueryUnload(bool& blnCancel, ui::toolkit::UnloadMode) {
    try {
        if (!IsState(kStateBusy) && !IsState(kStateCancel)) {
            SetState(kStateClosing, false);
            return;
        }
        // The check is still on the stack below this handler: the window may
        // go only after it has unwound, which the close timer waits for.
        blnCancel = true;
        if (!IsState(kStateClosing)) {
            SetState(kStateClosing, true);
            Cancel();
            mControls.tmrClose->Interval(ui::kCloseTimerInterval);
            mControls.tmrClose->Enabled(true);
        }
    } catch (...) {
    }
}

void frmMain::tmrClose_Timer() {
    try {
        if (IsState(kStateBusy) && IsState(kStateCancel)) {
            mControls.tmrClose->Interval(ui::kCloseTimerInterval);
            mControls.tmrClose->Enabled(true);
        } else {
            mControls.tmrClose->Enabled(false);
            mobjForm->Unload(ui::toolkit::UnloadMode::Code);
        }
    } catch (...) {
    }
}
