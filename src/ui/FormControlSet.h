#pragma once
// The main window's controls: the window as designed (controls, nesting,
// first placement, fonts and colours) and the set-up that runs when it loads.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/Window.h"

class clsListBoxEx;

namespace ui {

struct frmMainControls {
    toolkit::Window* Form = nullptr;
    toolkit::PictureBox* picBanner = nullptr;
    toolkit::Label* lblAppName[2] = {nullptr, nullptr};
    toolkit::Label* lblFeedback = nullptr;
    toolkit::Label* lblVer = nullptr;
    toolkit::PictureBox* picOption = nullptr;
    toolkit::CheckBoxArray* chkOptions = nullptr;
    toolkit::Button* cmdStart = nullptr;
    toolkit::Button* cmdReport = nullptr;
    toolkit::Button* cmdExit = nullptr;
    toolkit::PictureBox* picInfoUser = nullptr;
    toolkit::PictureBox* picInfoUserHeader = nullptr;
    toolkit::Label* lblInfoUserHeader = nullptr;
    toolkit::ListBox* lstInfoUserItems = nullptr;
    toolkit::PictureBox* picInfoUserFooter = nullptr;
    toolkit::Label* lblInfoUserFooter = nullptr;
    toolkit::Label* lblInfoUserFooterInfo = nullptr;
    toolkit::Label* lblInfoUserFooterUrl = nullptr;
    toolkit::Timer* tmrClose = nullptr;

    // Every visible control, check-box elements included, in creation order.
    std::vector<toolkit::Control*> All() const;
};

// Resource names and ids the window uses.
inline constexpr const wchar_t* kHandCursor = L"HAND";
inline constexpr const wchar_t* kBannerPicture = L"BANNER";
inline constexpr int32_t kWindowIcon = 30001;
// The close timer's period while a run unwinds.
inline constexpr int32_t kCloseTimerInterval = 200;

// Makes the controls of objForm as the window is designed.
frmMainControls CreateFormControls(toolkit::Window& objForm);

// "v 1.0.0 [37]": the program's version and the knowledge base's Count text.
std::wstring VersionLabelText(std::wstring_view strKnowledgeBaseCount);

struct FormControlSetContext {
    // The raw General/Count text of the data file ("0" when missing).
    std::function<std::wstring()> KnowledgeBaseCount;
    clsListBoxEx* ListBox = nullptr;
    // The presentation's InfoUser_Text(lngType, strName, "", "").
    std::function<void(int32_t lngType, const std::wstring& strName)> InfoUserText;
};

// The window's load-time set-up: captions, fonts, colours, geometry, the
// check-type options, the list extension and the first texts.
void FormControlSet(frmMainControls& objControls, const FormControlSetContext& context);

}  // namespace ui
