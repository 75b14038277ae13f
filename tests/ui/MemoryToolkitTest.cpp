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
    EXPECT_EQ(ErrorOf([&] { array.Load(3); }), 360);
    EXPECT_EQ(ErrorOf([&] { array.Unload(0); }), 362);
    EXPECT_EQ(ErrorOf([&] { array.Unload(2); }), 340);
    EXPECT_EQ(ErrorOf([&] { list.RemoveItem(2); }), 5);
    EXPECT_EQ(ErrorOf([&] { list.ItemData(-1); }), 381);
    EXPECT_EQ(ErrorOf([&] { list.AddItem(L"x", 9); }), 5);
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
    EXPECT_EQ(ticks, 1);
}

}  // namespace
