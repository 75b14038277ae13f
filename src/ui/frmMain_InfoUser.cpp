// The window's presentation: the controller's progress, the window's own
// messages and a selected result line, all through InfoUser.

#include "base/IgnoreErrors.h"
#include "base/Text.h"
#include "base/Version.h"
#include "ui/StringTable.h"
#include "ui/frmMain.h"
#include "ui/mdlMain.h"

namespace {

}  // namespace

void frmMain::mobjApp_Status(int32_t lngType, const std::wstring& strText, int32_t lngIndex, int32_t lngCount,
                             int32_t lngID) {
    try {
        auto objRecord = std::make_shared<clsUserInfo>();
        if (lngType == 3 || lngType == 4) {
            // An unknown breed leaves the record empty: a line of blanks only.
            const std::shared_ptr<clsBreed> objBreed = mobjApp->Bredd(lngID);
            if (objBreed) {
                objRecord->Fill(objBreed->Name(), objBreed->Info(), objBreed->URL());
                objRecord->ID(objBreed->ID());
                objRecord->Check(L"(" + base::DecStr(objBreed->Score()) + L"/" + base::DecStr(objBreed->TrackCount()) +
                                 L")");
                objRecord->Filter(objBreed->Filter());
                if (objBreed->IsScaned() && objBreed->IsFound()) lngType = 5;
            }
        } else {
            objRecord->Fill(strText);
        }
        InfoUser(lngType, objRecord, lngIndex, lngCount);
    } catch (...) {
    }
}

void frmMain::mobjLB_ShowUserInfo(const std::wstring& strName, const std::wstring& strDescription,
                                  const std::wstring& strURL) {
    base::IgnoreErrors([&] { InfoUser_Text(-3, strName, strDescription, strURL); });
}

void frmMain::lblInfoUserFooterUrl_Click() {
    try {
        // The tool tip holds the full link; the caption only its title.
        if (!mdlMain::OpenURL(mControls.lblInfoUserFooterUrl->ToolTip())) {
            mobjToolkit.MsgBox(ui::GetString(502), ui::toolkit::kMsgInformation, base::kProgramTitle);
        }
    } catch (...) {
    }
}

void frmMain::InfoUser_Text(int32_t lngType, std::wstring_view strName, std::wstring_view strDescription,
                            std::wstring_view strURL) {
    auto objRecord = std::make_shared<clsUserInfo>();
    objRecord->Fill(strName, strDescription, strURL);
    InfoUser(lngType, objRecord, 0, 0);
}

void frmMain::ShowFooterMessage(const std::wstring& strText) {
    ui::frmMainControls& c = mControls;
    base::IgnoreErrors([&] { c.lblInfoUserFooter->Caption(strText); });
    base::IgnoreErrors([&] { c.lblInfoUserFooter->Visible(true); });
    base::IgnoreErrors([&] { c.lblInfoUserFooterInfo->Visible(false); });
    base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->Visible(false); });
}

void frmMain::ResetListLook() {
    ui::frmMainControls& c = mControls;
    base::IgnoreErrors([&] { c.lblInfoUserFooter->ForeColor(mobjForm->ForeColor()); });
    base::IgnoreErrors([&] { c.lstInfoUserItems->ForeColor(mobjForm->ForeColor()); });
    base::IgnoreErrors([&] {
        ui::toolkit::FontInfo font = c.lstInfoUserItems->Font();
        font.Underline = mobjForm->Font().Underline;
        c.lstInfoUserItems->Font(font);
    });
}

void frmMain::InfoUser(int32_t lngType, const std::shared_ptr<clsUserInfo>& objUserInfo, int32_t lngIndex,
                       int32_t lngCount) {
    ui::frmMainControls& c = mControls;
    try {
        std::wstring strPercent;
        if (lngCount > 0) strPercent = base::DecStr(static_cast<int64_t>(lngIndex) * 100 / lngCount) + L"% ";
        int32_t lngAction = 0;
        int32_t lngItemData = 0;
        switch (lngType) {
            case -4:
                ShowFooterMessage(objUserInfo->Text());
                base::IgnoreErrors([&] { c.lstInfoUserItems->ForeColor(ui::toolkit::kColorRed); });
                break;
            case -3: {
                base::IgnoreErrors([&] { c.lblInfoUserFooterInfo->Caption(objUserInfo->Description()); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->Caption(objUserInfo->URLTitle()); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->ToolTip(objUserInfo->URL()); });
                base::IgnoreErrors([&] { c.lblInfoUserFooter->Visible(false); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterInfo->Visible(true); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->Visible(true); });
                if (objUserInfo->Description().empty() && objUserInfo->URL().empty()) {
                    base::IgnoreErrors([&] { c.lblInfoUserFooterInfo->Caption(ui::GetString(108)); });
                }
                break;
            }
            case -2:
                ShowFooterMessage(objUserInfo->Text());
                ResetListLook();
                break;
            case -1:
                base::IgnoreErrors([&] { c.lblInfoUserHeader->Caption(objUserInfo->Text()); });
                break;
            case 0:
                mlngFound = {0, 0, 0};
                base::IgnoreErrors([&] { c.lblInfoUserHeader->Caption(L""); });
                base::IgnoreErrors([&] { c.lblInfoUserFooter->Caption(L""); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterInfo->Caption(L""); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->Caption(L""); });
                base::IgnoreErrors([&] { c.lblInfoUserFooterUrl->ToolTip(L""); });
                ResetListLook();
                lngAction = clsListBoxEx::kActionClear;
                break;
            case 1:
            case 2:
            case 3:
                base::IgnoreErrors([&] { c.lblInfoUserHeader->Caption(ui::GetStringFormat(109, strPercent)); });
                objUserInfo->Text(ui::GetStringFormat(110, objUserInfo->Name()));
                lngAction = clsListBoxEx::kActionTransient;
                break;
            case 5: {
                ++mlngFound[0];
                const int32_t lngFilter = objUserInfo->Filter();
                // Filter 0 counts a second time into the total.
                if (lngFilter >= 0 && lngFilter <= 2) ++mlngFound[static_cast<std::size_t>(lngFilter)];
                const int32_t lngText = lngFilter == 1 ? 112 : lngFilter == 2 ? 113 : 110;
                objUserInfo->Text(ui::GetStringFormat(lngText, objUserInfo->Name()));
                lngAction = clsListBoxEx::kActionPermanent;
                lngItemData = objUserInfo->ID();
                break;
            }
            case 6:
                lngAction = clsListBoxEx::kActionRemoveTransient;
                break;
            default:
                break;
        }
        if (lngAction > 0 && mobjLB) mobjLB->AddItemEx(objUserInfo, lngAction, lngItemData);
    } catch (...) {
    }
    // The one point where a running check yields: STORNO, the close box and
    // the close timer are handled here.
    base::IgnoreErrors([&] { mobjToolkit.DoEvents(); });
}
