#include <gtest/gtest.h>

#include "base/CodePage.h"
#include "base/TestSupport.h"
#include "base/Version.h"
#include "fakes/RecordingToolkit.h"
#include "ui/FormControlSet.h"
#include "ui/StringTable.h"
#include "ui/clsListBoxEx.h"

namespace {

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

// Layout, fonts, colours, states and tab order as the toolkit was told them, in
// order (a later value overrides an earlier one); the version text apart.
TEST_F(FormControlSetTest, TheLoadedWindow) {
    Load();
    std::string calls;
    for (const auto& text : toolkit.CallTexts()) {
        if (!text.starts_with(L"lblVer.Caption=")) calls += base::WideToUtf8(text) + "\n";
    }
    EXPECT_EQ(calls, test_support::Golden("ui/FormControlSet.txt"));
    EXPECT_EQ(toolkit.Label(L"lblVer").Caption(), Version() + L" [37]");
    EXPECT_EQ(lb.ToolTip(), ui::GetString(111));
    EXPECT_EQ(infoUser, (std::vector<std::wstring>{
                            L"-1:" + base::Utf8ToWide("Detekce probl\xC3\xA9m\xC5\xAF s komunikac\xC3\xAD"),
                            L"-2:" + base::Utf8ToWide("Detekci spust\xC3\xADte tla\xC4\x8D\xC3\xADtkem START"),
                        }));
    // The count text is taken as it is.
    for (const wchar_t* count : {L"0", L"", L" 12 "}) {
        EXPECT_EQ(ui::VersionLabelText(count), Version() + L" [" + count + L"]");
    }
    // What the log does not show: where the options live, and the handlers.
    EXPECT_EQ(&toolkit.Option(L"chkOptions", 4).Parent(), controls.picOption);
    EXPECT_EQ(controls.chkOptions->Indexes(), (std::vector<int16_t>{0, 1, 2, 4}));
    EXPECT_TRUE(static_cast<bool>(toolkit.List(L"lstInfoUserItems").OnMouseMove));
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
