#include <gtest/gtest.h>

#include "base/CodePage.h"
#include "base/Version.h"
#include "fakes/RecordingToolkit.h"
#include "ui/FormControlSet.h"
#include "ui/StringTable.h"
#include "ui/clsListBoxEx.h"

namespace {

using ui::toolkit::Rect;

class FormControlSetTest : public ::testing::Test {
protected:
    void Load(std::wstring count = L"37") {
        window = toolkit.NewWindow(L"frmMain");
        controls = ui::CreateFormControls(*window);
        ui::FormControlSetContext context;
        context.KnowledgeBaseCount = [count] { return count; };
        context.ListBox = &lb;
        context.InfoUserText = [this](int32_t type, const std::wstring& text) {
            infoUser.push_back(std::to_wstring(type) + L":" + text);
        };
        ui::FormControlSet(controls, context);
    }

    static std::wstring Version() {
        return L"v " + std::to_wstring(base::kVersionMajor) + L"." + std::to_wstring(base::kVersionMinor) + L"." +
               std::to_wstring(base::kVersionRevision);
    }

    testing_support::RecordingToolkit toolkit;
    std::unique_ptr<ui::toolkit::Window> window;
    ui::frmMainControls controls;
    clsListBoxEx lb;
    std::vector<std::wstring> infoUser;
};

TEST_F(FormControlSetTest, TextsOfTheLoadedWindow) {
    Load();
    EXPECT_EQ(window->Caption(), base::kProgramTitle);
    EXPECT_EQ(toolkit.Label(L"lblVer").Caption(), Version() + L" [37]");
    EXPECT_EQ(toolkit.Label(L"lblAppName", 0).Caption(), base::kProgramTitle);
    EXPECT_EQ(toolkit.Button(L"cmdReport").Caption(), L"&REPORT");
    EXPECT_EQ(lb.ToolTip(), ui::GetString(111));
    EXPECT_EQ(infoUser, (std::vector<std::wstring>{
                            L"-1:" + base::Utf8ToWide("Detekce probl\xC3\xA9m\xC5\xAF s komunikac\xC3\xAD"),
                            L"-2:" + base::Utf8ToWide("Detekci spust\xC3\xADte tla\xC4\x8D\xC3\xADtkem START"),
                        }));
    // The count text is taken as it is.
    for (const wchar_t* count : {L"0", L"", L" 12 "}) {
        EXPECT_EQ(ui::VersionLabelText(count), Version() + L" [" + count + L"]");
    }
}

TEST_F(FormControlSetTest, CheckTypeOptions) {
    Load();
    const struct {
        int16_t index;
        bool visible;
        int16_t value;
        Rect bounds;
        const wchar_t* caption;
    } cases[] = {
        {0, false, 0, {60, 60, 7275, 255}, L""},
        {1, true, 1, {60, 60, 7275, 255}, nullptr},
        {2, true, 0, {60, 375, 7275, 255}, nullptr},
        {4, false, 0, {60, 690, 7275, 255}, L"Kontrola ...."},
    };
    for (const auto& c : cases) {
        auto& option = toolkit.Option(L"chkOptions", c.index);
        EXPECT_EQ(option.Visible(), c.visible) << c.index;
        EXPECT_EQ(option.Value(), c.value) << c.index;
        EXPECT_EQ(option.Bounds(), c.bounds) << c.index;
        EXPECT_EQ(&option.Parent(), controls.picOption) << c.index;
        if (c.caption) {
            EXPECT_EQ(option.Caption(), c.caption) << c.index;
        }
    }
    EXPECT_EQ(toolkit.Option(L"chkOptions", 1).Caption(), ui::GetString(1));
    EXPECT_EQ(toolkit.Option(L"chkOptions", 2).Caption(), ui::GetString(2));
    EXPECT_EQ(controls.chkOptions->Indexes(), (std::vector<int16_t>{0, 1, 2, 4}));
}

TEST_F(FormControlSetTest, ResultAreaGeometry) {
    Load();
    const std::pair<ui::toolkit::Control*, Rect> cases[] = {
        {controls.picInfoUserHeader, {0, 0, 7435, 255}},
        {controls.picInfoUserFooter, {30, 1725, 7375, 960}},
        {controls.lblInfoUserHeader, {30, 0, 7375, 255}},
        {controls.lblInfoUserFooter, {0, 0, 7375, 960}},
        {controls.lblInfoUserFooterInfo, {0, 0, 7375, 705}},
        {controls.lblInfoUserFooterUrl, {0, 705, 7375, 255}},
        {controls.lstInfoUserItems, {-10, 255, 7465, 1470}},
        {controls.cmdStart, {3600, 1800, 1275, 435}},
        {controls.cmdReport, {4980, 1800, 1275, 435}},
    };
    for (const auto& [control, bounds] : cases) EXPECT_EQ(control->Bounds(), bounds) << control->Name();
    EXPECT_EQ(toolkit.ValuesOf(L"frmMain", L"ClientSize"), std::vector<std::wstring>{L"7815,5265"});
    EXPECT_EQ(toolkit.ValuesOf(L"frmMain", L"Icon"), std::vector<std::wstring>{std::to_wstring(ui::kWindowIcon)});
}

TEST_F(FormControlSetTest, FontsColoursAndStates) {
    Load();
    const auto windowFont = window->Font();
    EXPECT_EQ(windowFont.Name, L"Verdana");
    EXPECT_EQ(windowFont.Charset, 238);

    const auto ver = toolkit.Label(L"lblVer").Font();
    EXPECT_EQ(ver.Size, 8);
    EXPECT_TRUE(ver.Italic);
    EXPECT_EQ(toolkit.Label(L"lblVer").ForeColor(), 0x404040u);

    auto& url = toolkit.Label(L"lblInfoUserFooterUrl");
    EXPECT_TRUE(url.Font().Bold());
    EXPECT_TRUE(url.Font().Underline);
    EXPECT_EQ(url.ForeColor(), ui::toolkit::kColorBlue);
    EXPECT_EQ(url.Pointer(), ui::toolkit::MousePointer::Custom);
    EXPECT_EQ(url.MouseIconName(), L"HAND");
    EXPECT_TRUE(toolkit.Label(L"lblInfoUserFooterInfo").Font().Italic);
    EXPECT_FALSE(toolkit.Label(L"lblInfoUserHeader").Font().Italic);

    auto& list = toolkit.List(L"lstInfoUserItems");
    EXPECT_TRUE(list.Font().Bold());
    EXPECT_EQ(list.MouseIconName(), L"HAND");
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_TRUE(static_cast<bool>(list.OnMouseMove));

    EXPECT_TRUE(toolkit.Label(L"lblAppName", 0).Font().Bold());
    EXPECT_FALSE(toolkit.Button(L"cmdReport").Enabled());
    EXPECT_TRUE(toolkit.Button(L"cmdStart").Font().Bold());
    EXPECT_EQ(toolkit.Button(L"cmdReport").Font().Size, 8);
    EXPECT_FALSE(toolkit.Picture(L"picInfoUser").TabStopValue());
    EXPECT_TRUE(toolkit.Picture(L"picInfoUser").BorderValue());
    EXPECT_FALSE(toolkit.Picture(L"picInfoUserHeader").BorderValue());
    EXPECT_FALSE(toolkit.Label(L"lblInfoUserFooterUrl").BorderValue());
    // Set even where it is the memory toolkit's default: real ones differ.
    EXPECT_EQ(toolkit.ValuesOf(L"picInfoUserFooter", L"BackColor"), std::vector<std::wstring>{L"&H80000005"});
    EXPECT_FALSE(controls.tmrClose->Enabled());
}

TEST_F(FormControlSetTest, TabOrderAndEscapePressesKonec) {
    Load();
    EXPECT_EQ(toolkit.Option(L"chkOptions", 0).TabIndexValue(), 1);
    EXPECT_EQ(toolkit.Option(L"chkOptions", 4).TabIndexValue(), 3);
    EXPECT_EQ(toolkit.Button(L"cmdStart").TabIndexValue(), 4);
    EXPECT_EQ(toolkit.Button(L"cmdReport").TabIndexValue(), 5);
    EXPECT_EQ(toolkit.Button(L"cmdExit").TabIndexValue(), 6);
    EXPECT_EQ(toolkit.Label(L"lblInfoUserFooterUrl").TabIndexValue(), 14);
    int clicks = 0;
    controls.cmdExit->OnClick = [&] { ++clicks; };
    EXPECT_TRUE(toolkit.Window().PressEscape());
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormControlSetTest, MissingCollaboratorsDoNotStopTheSetUp) {
    window = toolkit.NewWindow(L"frmMain");
    controls = ui::CreateFormControls(*window);
    ui::FormControlSet(controls, ui::FormControlSetContext{});
    EXPECT_EQ(toolkit.Label(L"lblVer").Caption(), Version() + L" [0]");
    EXPECT_EQ(toolkit.Button(L"cmdExit").Caption(), L"&KONEC");
    EXPECT_EQ(toolkit.List(L"lstInfoUserItems").MouseIconName(), L"HAND");
}

}  // namespace
