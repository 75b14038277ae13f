#include "ui/FormControlSet.h"

#include <utility>

#include "base/Text.h"
#include "base/Version.h"
#include "log/mdlLog.h"
#include "ui/StringTable.h"
#include "ui/clsListBoxEx.h"

namespace ui {

namespace {

using toolkit::Appearance;
using toolkit::kColorWindowBackground;
using toolkit::Rect;

constexpr toolkit::Color kVersionColor = 0x404040;
constexpr toolkit::Twips kHeaderHeight = 255;
constexpr toolkit::Twips kListHeight = 1470;
constexpr toolkit::Twips kLinkHeight = 255;
constexpr toolkit::Twips kOptionStep = 315;
constexpr const wchar_t* kAppNameLabel = L"lblAppName";

// One set-up step: what it raises is dropped and the next step runs.
template <typename Step>
void Do(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

toolkit::FontInfo WindowFont() {
    toolkit::FontInfo font;
    font.Name = L"Verdana";
    font.Size = 9.75;
    font.Weight = toolkit::kFontWeightNormal;
    font.Charset = toolkit::kCharsetCentralEurope;
    return font;
}

template <typename ControlT>
void ChangeFont(ControlT& control, const std::function<void(toolkit::FontInfo&)>& change) {
    toolkit::FontInfo font = control.Font();
    change(font);
    control.Font(font);
}

void FlatFrame(toolkit::PictureBox& frame, bool blnBorder) {
    Do([&] { frame.TabStop(false); });
    Do([&] { frame.BackColor(kColorWindowBackground); });
    Do([&] { frame.Appearance(Appearance::Flat); });
    Do([&] { frame.Border(blnBorder); });
}

std::wstring WithoutAccessMarks(std::wstring_view strCaption) {
    std::wstring text;
    for (wchar_t ch : strCaption) {
        if (ch != L'&') text += ch;
    }
    return text;
}

}  // namespace

std::vector<toolkit::Control*> frmMainControls::All() const {
    std::vector<toolkit::Control*> all{picBanner, lblAppName[0], lblAppName[1], lblFeedback, lblVer, picOption};
    if (chkOptions != nullptr) {
        for (int16_t index : chkOptions->Indexes()) all.push_back(chkOptions->Item(index));
    }
    for (toolkit::Control* control : {static_cast<toolkit::Control*>(cmdStart), static_cast<toolkit::Control*>(cmdReport),
                                      static_cast<toolkit::Control*>(cmdExit), static_cast<toolkit::Control*>(picInfoUser),
                                      static_cast<toolkit::Control*>(picInfoUserHeader),
                                      static_cast<toolkit::Control*>(lblInfoUserHeader),
                                      static_cast<toolkit::Control*>(lstInfoUserItems),
                                      static_cast<toolkit::Control*>(picInfoUserFooter),
                                      static_cast<toolkit::Control*>(lblInfoUserFooter),
                                      static_cast<toolkit::Control*>(lblInfoUserFooterInfo),
                                      static_cast<toolkit::Control*>(lblInfoUserFooterUrl)}) {
        all.push_back(control);
    }
    std::erase(all, nullptr);
    return all;
}

frmMainControls CreateFormControls(toolkit::Window& objForm) {
    frmMainControls c;
    c.Form = &objForm;
    objForm.Font(WindowFont());
    objForm.ClientSize(toolkit::Size{7815, 5265});
    objForm.Icon(kWindowIcon);

    c.picBanner = &objForm.AddPictureBox(L"picBanner");
    c.picBanner->Bounds(Rect{180, 120, 7440, 420});
    c.picBanner->Picture(kBannerPicture);
    // Element 0 is the shadow, one pixel right of and below element 1, and
    // made first so that element 1 is drawn over it.
    toolkit::FontInfo titleFont = WindowFont();
    titleFont.Bold(true);
    c.lblAppName[0] = &objForm.AddLabel(kAppNameLabel, c.picBanner, 0);
    c.lblAppName[0]->Bounds(Rect{1515, 45, 4335, 255});
    c.lblAppName[0]->ForeColor(toolkit::kColor3DDarkShadow);
    c.lblAppName[1] = &objForm.AddLabel(kAppNameLabel, c.picBanner, 1);
    c.lblAppName[1]->Bounds(Rect{1500, 30, 4335, 240});
    c.lblAppName[1]->ForeColor(toolkit::kColorButtonShadow);
    for (toolkit::Label* title : c.lblAppName) {
        title->Font(titleFont);
        title->Transparent(true);
    }
    c.lblFeedback = &objForm.AddLabel(L"lblFeedback", c.picBanner);
    c.lblFeedback->Bounds(Rect{0, 0, 975, 495});
    c.lblFeedback->Transparent(true);

    c.picOption = &objForm.AddPictureBox(L"picOption");
    c.picOption->Bounds(Rect{170, 645, 7465, 1045});
    c.chkOptions = &objForm.AddCheckBoxArray(L"chkOptions", c.picOption);

    c.cmdStart = &objForm.AddButton(L"cmdStart");
    c.cmdStart->Bounds(Rect{3600, 1800, 1275, 435});
    c.cmdReport = &objForm.AddButton(L"cmdReport");
    c.cmdReport->Bounds(Rect{4980, 1800, 1275, 435});
    c.cmdExit = &objForm.AddButton(L"cmdExit");
    c.cmdExit->Bounds(Rect{6360, 1800, 1275, 435});

    c.picInfoUser = &objForm.AddPictureBox(L"picInfoUser");
    c.picInfoUser->Bounds(Rect{170, 2340, 7465, 2715});
    c.picInfoUserHeader = &objForm.AddPictureBox(L"picInfoUserHeader", c.picInfoUser);
    c.lblInfoUserHeader = &objForm.AddLabel(L"lblInfoUserHeader", c.picInfoUserHeader);
    c.lstInfoUserItems = &objForm.AddListBox(L"lstInfoUserItems", c.picInfoUser);
    c.picInfoUserFooter = &objForm.AddPictureBox(L"picInfoUserFooter", c.picInfoUser);
    c.lblInfoUserFooter = &objForm.AddLabel(L"lblInfoUserFooter", c.picInfoUserFooter);
    c.lblInfoUserFooterInfo = &objForm.AddLabel(L"lblInfoUserFooterInfo", c.picInfoUserFooter);
    c.lblInfoUserFooterUrl = &objForm.AddLabel(L"lblInfoUserFooterUrl", c.picInfoUserFooter);

    c.lblVer = &objForm.AddLabel(L"lblVer");
    c.lblVer->Bounds(Rect{7035, 5040, 600, 195});
    c.lblVer->ForeColor(kVersionColor);

    c.tmrClose = &objForm.AddTimer(L"tmrClose");
    c.tmrClose->Enabled(false);
    return c;
}

std::wstring VersionLabelText(std::wstring_view strKnowledgeBaseCount) {
    return GetStringFormat(8, base::kVersionMajor, base::kVersionMinor, base::kVersionRevision) + L" [" +
           std::wstring(strKnowledgeBaseCount) + L"]";
}

void FormControlSet(frmMainControls& c, const FormControlSetContext& context) {
    try {
        toolkit::Window& form = *c.Form;
        const std::wstring strTitle = base::kProgramTitle;

        Do([&] { form.Caption(strTitle); });
        Do([&] {
            const std::wstring count = context.KnowledgeBaseCount ? context.KnowledgeBaseCount() : std::wstring(L"0");
            c.lblVer->Caption(VersionLabelText(count));
        });

        // Every control takes the window font, except the shadowed title,
        // which keeps its own bold one.
        const toolkit::FontInfo windowFont = form.Font();
        for (toolkit::Control* control : c.All()) {
            if (control->Name() != kAppNameLabel) {
                Do([&] { control->ToolTip(L""); });
                Do([&] { control->TabStop(true); });
                Do([&] { control->Font(windowFont); });
            } else {
                Do([&] { static_cast<toolkit::Label*>(control)->Caption(strTitle); });
            }
        }

        Do([&] {
            ChangeFont(*c.lblVer, [](toolkit::FontInfo& f) {
                f.Size = 8;
                f.Italic = true;
            });
        });

        FlatFrame(*c.picOption, true);
        FlatFrame(*c.picInfoUser, true);
        FlatFrame(*c.picInfoUserHeader, false);
        Do([&] { c.picInfoUserFooter->TabStop(false); });
        Do([&] { c.picInfoUserFooter->BackColor(kColorWindowBackground); });
        Do([&] { c.picInfoUserFooter->Appearance(Appearance::ThreeD); });
        Do([&] { c.picInfoUserFooter->Border(false); });

        for (toolkit::Label* label : {c.lblInfoUserHeader, c.lblInfoUserFooter, c.lblInfoUserFooterInfo, c.lblInfoUserFooterUrl}) {
            Do([&] { label->BackColor(kColorWindowBackground); });
            Do([&] { label->Transparent(true); });
            Do([&] { label->Appearance(Appearance::Flat); });
            Do([&] { label->Border(false); });
        }
        Do([&] { ChangeFont(*c.lblInfoUserFooter, [](toolkit::FontInfo& f) { f.Italic = true; }); });
        Do([&] { ChangeFont(*c.lblInfoUserFooterInfo, [](toolkit::FontInfo& f) { f.Italic = true; }); });
        Do([&] { c.lblInfoUserFooterUrl->ForeColor(toolkit::kColorBlue); });
        Do([&] {
            ChangeFont(*c.lblInfoUserFooterUrl, [](toolkit::FontInfo& f) {
                f.Bold(true);
                f.Underline = true;
            });
        });
        Do([&] { c.lblInfoUserFooterUrl->Pointer(toolkit::MousePointer::Custom); });

        Do([&] {
            ChangeFont(*c.cmdStart, [](toolkit::FontInfo& f) {
                f.Size = 8;
                f.Bold(true);
            });
        });
        Do([&] { ChangeFont(*c.cmdReport, [](toolkit::FontInfo& f) { f.Size = 8; }); });
        Do([&] { c.cmdReport->Enabled(false); });
        Do([&] {
            ChangeFont(*c.cmdExit, [](toolkit::FontInfo& f) {
                f.Size = 8;
                f.Bold(true);
            });
        });
        Do([&] { form.CancelButton(c.cmdExit); });
        Do([&] { ChangeFont(*c.lstInfoUserItems, [](toolkit::FontInfo& f) { f.Bold(true); }); });
        Do([&] { c.lstInfoUserItems->BringToFront(); });

        // The result area: header strip, list, and footer with the message,
        // or the description over the link.
        Do([&] {
            const toolkit::Size inner = c.picInfoUser->InnerSize();
            c.picInfoUserHeader->Bounds(Rect{0, 0, inner.Width, kHeaderHeight});
            const toolkit::Size header = c.picInfoUserHeader->InnerSize();
            c.lblInfoUserHeader->Bounds(Rect{30, 0, header.Width - 60, header.Height});
            const toolkit::Twips listTop = c.picInfoUserHeader->Bounds().Height;
            c.lstInfoUserItems->Bounds(Rect{-10, listTop, inner.Width + 30, kListHeight});
            const toolkit::Twips listBottom = listTop + kListHeight;
            c.picInfoUserFooter->Bounds(Rect{30, listBottom, inner.Width - 60, inner.Height - listBottom});
            const toolkit::Size footer = c.picInfoUserFooter->InnerSize();
            c.lblInfoUserFooter->Bounds(Rect{0, 0, footer.Width, footer.Height});
            const Rect message = c.lblInfoUserFooter->Bounds();
            c.lblInfoUserFooterInfo->Bounds(Rect{message.Left, 0, message.Width, message.Height - kLinkHeight});
            c.lblInfoUserFooterUrl->Bounds(
                Rect{message.Left, c.lblInfoUserFooterInfo->Bounds().Height, message.Width, kLinkHeight});
        });

        // The check-type options: the hidden template 0, then 1 (checked),
        // 2, and the hidden 4, one under the other.
        Do([&] {
            toolkit::CheckBox* template0 = c.chkOptions->Item(0);
            if (template0 == nullptr) return;
            toolkit::CheckBox& element0 = *template0;
            Do([&] { element0.BackColor(kColorWindowBackground); });
            Do([&] { element0.Appearance(Appearance::Flat); });
            Do([&] { element0.Visible(false); });
            const Rect place{60, 60, 7275, 255};
            Do([&] { element0.Bounds(place); });
            toolkit::CheckBox& option1 = c.chkOptions->Load(1);
            option1.Bounds(place);
            option1.Visible(true);
            option1.Value(toolkit::kChecked);
            toolkit::CheckBox& option2 = c.chkOptions->Load(2);
            Rect below = option1.Bounds();
            below.Top += kOptionStep;
            option2.Bounds(below);
            option2.Visible(true);
            toolkit::CheckBox& option4 = c.chkOptions->Load(4);
            below.Top += kOptionStep;
            option4.Bounds(below);
        });

        Do([&] { c.lstInfoUserItems->Clear(); });

        for (const auto& [index, id] : {std::pair<int16_t, int32_t>{1, 1}, {2, 2}, {4, 3}}) {
            if (toolkit::CheckBox* option = c.chkOptions->Item(index)) Do([&] { option->Caption(GetString(id)); });
        }
        Do([&] { c.lblInfoUserHeader->Caption(L""); });
        Do([&] { c.lblInfoUserFooter->Caption(L""); });
        Do([&] { c.cmdStart->Caption(GetString(4)); });
        Do([&] { c.cmdReport->Caption(GetString(5)); });
        Do([&] { c.cmdExit->Caption(GetString(6)); });

        int16_t intTab = 0;
        const auto tab = [&](toolkit::Control* control) {
            if (control != nullptr) Do([&] { control->TabIndex(intTab); });
            ++intTab;
        };
        tab(c.picOption);
        for (int16_t index : {1, 2, 4}) tab(c.chkOptions->Item(index));
        for (toolkit::Control* control :
             std::initializer_list<toolkit::Control*>{c.cmdStart, c.cmdReport, c.cmdExit, c.picInfoUser, c.picInfoUserHeader,
                                                      c.lblInfoUserHeader, c.lstInfoUserItems, c.picInfoUserFooter,
                                                      c.lblInfoUserFooter, c.lblInfoUserFooterInfo, c.lblInfoUserFooterUrl}) {
            tab(control);
        }
        if (toolkit::CheckBox* element0 = c.chkOptions->Item(0)) Do([&] { element0->TabIndex(1); });

        Do([&] {
            if (context.ListBox == nullptr) return;
            context.ListBox->Initialise(form, *c.lstInfoUserItems);
            context.ListBox->ToolTip(GetString(111));
        });

        Do([&] {
            if (context.InfoUserText) context.InfoUserText(-1, GetString(101));
        });
        Do([&] {
            if (context.InfoUserText) context.InfoUserText(-2, GetStringFormat(102, WithoutAccessMarks(c.cmdStart->Caption())));
        });

        Do([&] { c.lblInfoUserFooterUrl->MouseIcon(kHandCursor); });
        Do([&] { c.lstInfoUserItems->MouseIcon(kHandCursor); });
    } catch (...) {
        mdlLog::LogError(L"[frmMain] (FormControlSet)", L"", L"");
    }
}

}  // namespace ui
