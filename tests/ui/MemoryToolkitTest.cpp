#include <gtest/gtest.h>

#include "base/TestSupport.h"
#include "fakes/RecordingToolkit.h"

namespace {

using namespace ui::toolkit;
using namespace ui::toolkit::memory;

using test_support::ErrorNumber;

class MemoryToolkitTest : public ::testing::Test {
protected:
    MemoryToolkitTest() : window(toolkit.NewWindow(L"frmMain")) {}
    testing_support::RecordingToolkit toolkit;
    std::unique_ptr<Window> window;
};

// Misuse raises the runtime's error numbers; the selection follows its line.
TEST_F(MemoryToolkitTest, ListAndArrayMisuseAndTheSelection) {
    auto& array = window->AddCheckBoxArray(L"chk");
    array.Load(3);
    auto& list = window->AddListBox(L"lst");
    list.AddItem(L"a");
    list.AddItem(L"c");
    list.ListIndex(1);
    list.AddItem(L"b", 1);
    EXPECT_EQ(list.ListIndex(), 2);
    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(ErrorNumber([&] { array.Load(3); }), 360);
    EXPECT_EQ(ErrorNumber([&] { array.Unload(0); }), 362);
    EXPECT_EQ(ErrorNumber([&] { array.Unload(2); }), 340);
    EXPECT_EQ(ErrorNumber([&] { list.RemoveItem(2); }), 5);
    EXPECT_EQ(ErrorNumber([&] { list.ItemData(-1); }), 381);
    EXPECT_EQ(ErrorNumber([&] { list.AddItem(L"x", 9); }), 5);
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

// The left edge of a list is inside it; a disabled check box takes no click;
// a timer is recorded like any other control.
TEST_F(MemoryToolkitTest, EdgesClicksAndRecords) {
    auto& list = window->AddListBox(L"lst");
    list.Bounds(Rect{0, 0, 3000, 1470});
    list.AddItem(L"0");
    EXPECT_FALSE(list.ItemFromPoint(0, 10).Outside);
    auto& option = static_cast<MemCheckBox&>(window->AddCheckBoxArray(L"chk").Load(1));
    option.Visible(true);
    option.Enabled(false);
    EXPECT_FALSE(option.Click());
    EXPECT_EQ(option.Value(), kUnchecked);
    toolkit.calls.clear();
    window->AddTimer(L"tmr").Interval(200);
    EXPECT_EQ(toolkit.CallTexts(), (std::vector<std::wstring>{L"frmMain.AddTimer=tmr", L"tmr.Interval=200"}));
}

}  // namespace
