#include <gtest/gtest.h>

#include "base/VbError.h"
#include "fakes/RecordingToolkit.h"

namespace {

using namespace ui::toolkit;
using namespace ui::toolkit::memory;

int32_t ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::VbError& error) {
        return error.Number();
    }
    return 0;
}

class MemoryToolkitTest : public ::testing::Test {
protected:
    MemoryToolkitTest() : window(toolkit.NewWindow(L"frmMain")) {}
    testing_support::RecordingToolkit toolkit;
    std::unique_ptr<Window> window;
};

TEST_F(MemoryToolkitTest, ArrayElementsAreMadeFromTheTemplate) {
    auto& frame = window->AddPictureBox(L"picOption");
    auto& array = window->AddCheckBoxArray(L"chk", &frame);
    auto& element0 = *array.Item(0);
    EXPECT_FALSE(element0.Visible());
    element0.Bounds(Rect{1, 2, 3, 4});
    element0.Caption(L"template");
    element0.ForeColor(kColorRed);
    auto& made = array.Load(3);
    EXPECT_EQ(made.Bounds(), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(made.Caption(), L"template");
    EXPECT_EQ(made.ForeColor(), kColorRed);
    EXPECT_EQ(made.Index(), 3);
    EXPECT_EQ(&made.Parent(), &frame);
    EXPECT_FALSE(made.Visible());
    array.Load(1);
    EXPECT_EQ(array.Indexes(), (std::vector<int16_t>{0, 1, 3}));
    EXPECT_EQ(ErrorOf([&] { array.Load(3); }), 360);
    EXPECT_EQ(ErrorOf([&] { array.Unload(0); }), 362);
    EXPECT_EQ(ErrorOf([&] { array.Unload(2); }), 340);
    array.Unload(3);
    EXPECT_EQ(array.Item(3), nullptr);
}

TEST_F(MemoryToolkitTest, ListLinesSelectionAndErrors) {
    auto& list = window->AddListBox(L"lst");
    list.AddItem(L"a");
    list.AddItem(L"c");
    list.ListIndex(1);
    list.AddItem(L"b", 1);
    EXPECT_EQ(list.ListIndex(), 2);  // the selection stays on "c"
    EXPECT_EQ(list.List(2), L"c");
    list.ItemData(2, 42);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.ItemData(1), 42);
    list.RemoveItem(1);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.List(5), L"");
    EXPECT_EQ(ErrorOf([&] { list.RemoveItem(1); }), 5);
    EXPECT_EQ(ErrorOf([&] { list.ItemData(-1); }), 381);
    EXPECT_EQ(ErrorOf([&] { list.AddItem(L"x", 9); }), 5);
}

TEST_F(MemoryToolkitTest, ItemFromPointAnswersNearestLineAndOutside) {
    auto& list = window->AddListBox(L"lst");
    list.Bounds(Rect{0, 0, 3000, 1470});
    EXPECT_EQ(list.ItemFromPoint(10, 10).Line, -1);
    for (const wchar_t* text : {L"0", L"1", L"2"}) list.AddItem(text);
    const struct {
        Twips x, y;
        int32_t line;
        bool outside;
    } cases[] = {
        {10, 10, 0, false},
        {0, 10, 0, false},
        {10, kListLineHeight, 1, false},
        {10, 1400, 2, false},  // below the last line, still inside
        {10, 1470, 2, true},
        {-1, 10, 0, true},
        {3000, 300, 1, true},
        {10, -300, 0, true},
    };
    for (const auto& c : cases) {
        const ListHit hit = list.ItemFromPoint(c.x, c.y);
        EXPECT_EQ(hit.Line, c.line) << c.x << "," << c.y;
        EXPECT_EQ(hit.Outside, c.outside) << c.x << "," << c.y;
    }
}

TEST_F(MemoryToolkitTest, UnloadAsksFirstAndStopsTimers) {
    auto& timer = window->AddTimer(L"tmr");
    timer.Interval(200);
    timer.Enabled(true);
    bool refuse = true;
    int unloaded = 0;
    window->OnQueryUnload = [&](bool& blnCancel, UnloadMode) { blnCancel = refuse; };
    window->OnUnload = [&] { ++unloaded; };
    EXPECT_FALSE(window->Unload(UnloadMode::CloseBox));
    EXPECT_TRUE(window->Loaded());
    refuse = false;
    EXPECT_TRUE(window->Unload());
    EXPECT_FALSE(window->Loaded());
    EXPECT_FALSE(timer.Enabled());
    EXPECT_TRUE(window->Unload());
    EXPECT_EQ(unloaded, 1);
}

TEST_F(MemoryToolkitTest, TimerCountsFromEnablingAndTicksOnlyWhenDue) {
    auto& tmr = static_cast<MemTimer&>(window->AddTimer(L"tmr"));
    int ticks = 0;
    tmr.OnTimer = [&] { ++ticks; };
    tmr.Interval(200);
    EXPECT_EQ(tmr.DueIn(toolkit.now), -1);
    toolkit.now = 1000;
    tmr.Enabled(true);
    EXPECT_EQ(toolkit.Advance(199), 0);
    EXPECT_EQ(toolkit.Advance(1), 1);
    EXPECT_EQ(tmr.DueIn(toolkit.now), 200);
    tmr.Interval(0);
    EXPECT_EQ(toolkit.Advance(500), 0);
    EXPECT_FALSE(tmr.Tick()) << "an interval of 0 never ticks";
    EXPECT_EQ(ticks, 1);
}

TEST_F(MemoryToolkitTest, ClicksNeedAnEnabledVisibleControl) {
    auto& button = static_cast<MemButton&>(window->AddButton(L"cmd"));
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    EXPECT_TRUE(button.Click());
    button.Enabled(false);
    EXPECT_FALSE(button.Click());
    button.Enabled(true);
    button.Visible(false);
    EXPECT_FALSE(button.Click());
    EXPECT_EQ(clicks, 1);
    auto& option = static_cast<MemCheckBox&>(window->AddCheckBoxArray(L"chk").Load(1));
    option.Visible(true);
    option.Enabled(false);
    EXPECT_FALSE(option.Click());
    EXPECT_EQ(option.Value(), kUnchecked);
}

TEST_F(MemoryToolkitTest, InnerSizeLeavesOutTheBorder) {
    auto& frame = window->AddPictureBox(L"pic");
    frame.Bounds(Rect{0, 0, 1000, 500});
    const struct {
        bool border;
        Appearance appearance;
        Twips width, height;
    } cases[] = {
        {false, Appearance::Flat, 1000, 500}, {true, Appearance::Flat, 970, 470}, {true, Appearance::ThreeD, 940, 440}};
    for (const auto& c : cases) {
        frame.Border(c.border);
        frame.Appearance(c.appearance);
        EXPECT_EQ(frame.InnerSize().Width, c.width) << c.border;
        EXPECT_EQ(frame.InnerSize().Height, c.height) << c.border;
    }
}

TEST_F(MemoryToolkitTest, CallsAreRecordedWithTheirTarget) {
    auto& array = window->AddCheckBoxArray(L"chk");
    toolkit.calls.clear();
    array.Load(2).Caption(L"x");
    window->Caption(L"T");
    window->AddTimer(L"tmr").Interval(200);
    EXPECT_EQ(toolkit.CallTexts(), (std::vector<std::wstring>{L"chk.Load=2", L"chk(2).Visible=False", L"chk(2).Caption=x",
                                                              L"frmMain.Caption=T", L"frmMain.AddTimer=tmr",
                                                              L"tmr.Interval=200"}));
}

}  // namespace
