#include <gtest/gtest.h>

#include <memory>

#include "fakes/RecordingToolkit.h"
#include "ui/clsListBoxEx.h"

namespace {

using ui::toolkit::MousePointer;
using ui::toolkit::memory::kListLineHeight;

class ListBoxExTest : public ::testing::Test {
protected:
    ListBoxExTest() {
        window = toolkit.NewWindow(L"frmMain");
        list = &static_cast<ui::toolkit::memory::MemListBox&>(window->AddListBox(L"lst"));
        list->Bounds(ui::toolkit::Rect{0, 0, 7500, 1470});
        lb.Initialise(*window, *list);
        lb.ToolTip(L"tip");
        lb.ShowUserInfo = [this](const std::wstring& n, const std::wstring& d, const std::wstring& u) {
            shown.push_back(n + L"|" + d + L"|" + u);
        };
        toolkit.calls.clear();
    }

    static std::shared_ptr<clsUserInfo> Info(std::wstring_view strText, std::wstring_view strName = L"N") {
        auto item = std::make_shared<clsUserInfo>();
        item->Fill(strName, L"desc " + std::wstring(strName), L"http://x/" + std::wstring(strName));
        item->Text(strText);
        return item;
    }

    std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (const auto& line : list->Lines()) lines.push_back(line.Text + L"#" + std::to_wstring(line.Data));
        return lines;
    }

    testing_support::RecordingToolkit toolkit;
    std::unique_ptr<ui::toolkit::Window> window;
    ui::toolkit::memory::MemListBox* list = nullptr;
    clsListBoxEx lb;
    std::vector<std::wstring> shown;
};

// Progress lines (3) stay below the results (2) until the next line of any
// kind, or their removal (4), takes them away; 1 clears everything.
TEST_F(ListBoxExTest, TransientLinesStayBelowResultsAndAreReplaced) {
    const struct {
        const wchar_t* text;
        int32_t action, data;
        std::vector<std::wstring> lines;
    } steps[] = {
        {L"p1\r\np2", 3, 0, {L"p1#0", L"p2#0"}},
        {L"p3", 3, 0, {L"p3#0"}},
        {L"found", 2, 7, {L"found#7"}},
        {L"p4\r\np5", 3, 0, {L"found#7", L"p4#0", L"p5#0"}},
        {L"", 4, 0, {L"found#7"}},
        {L"", 4, 0, {L"found#7"}},
        {L"ignored", 9, 0, {L"found#7"}},
        {L"a\r\nb", 3, 0, {L"found#7", L"a#0", L"b#0"}},
        {L"next", 2, 0, {L"found#7", L"next#0"}},
        {L"", 1, 0, {}},
    };
    for (const auto& step : steps) {
        const auto before = Lines();
        const auto calls = toolkit.calls.size();
        lb.AddItemEx(Info(step.text), step.action, step.data);
        EXPECT_EQ(Lines(), step.lines) << step.text << " " << step.action;
        // A step that leaves the lines as they were makes no call at all.
        if (before == step.lines) {
            EXPECT_EQ(toolkit.calls.size(), calls) << step.text << " " << step.action;
        }
    }
    EXPECT_EQ(lb.Records().Count(), 0);
}

TEST_F(ListBoxExTest, PermanentLinesKeepOneRecordPerDatum) {
    lb.AddItemEx(Info(L"first", L"One"), 2, 5);
    lb.AddItemEx(Info(L"second", L"Two"), 2, 5);
    lb.AddItemEx(Info(L"no record", L"Zero"), 2, 0);
    EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"first#5", L"second#5", L"no record#0"}));
    ASSERT_EQ(lb.Records().Count(), 1);
    EXPECT_EQ(lb.Records().Item(L"5")->Name(), L"Two");

    list->ClickLine(0);
    list->ClickLine(2);
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"Two|desc Two|http://x/Two"}));
}

TEST_F(ListBoxExTest, MultiLineInsertPositions) {
    list->AddItem(L"x");
    list->AddItem(L"y");
    EXPECT_EQ(lb.AddItemMultiLine(L"a\r\nb", 3), (std::vector<int32_t>{2, 0, 1}));
    EXPECT_EQ(lb.AddItemMultiLine(L"c\r\n", 4, -1), (std::vector<int32_t>{2, 4, 5}));
    EXPECT_EQ(lb.AddItemMultiLine(L"", 4, -1), (std::vector<int32_t>{0}));
    EXPECT_EQ(lb.AddItemMultiLine(L"m", 6, 3), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"a#3", L"b#3", L"x#0", L"m#6", L"y#0", L"c#4", L"#4"}));
}

TEST_F(ListBoxExTest, RemoveItemExGoesFromTheLastElementDownAndSkipsMissingLines) {
    for (const wchar_t* text : {L"0", L"1", L"2", L"3"}) list->AddItem(text);
    lb.RemoveItemEx({99, 1, 2, 40});
    EXPECT_EQ(Lines(), (std::vector<std::wstring>{L"0#0", L"3#0"}));
}

TEST_F(ListBoxExTest, PickingALine) {
    lb.AddItemEx(Info(L"found", L"F"), 2, 3);
    lb.AddItemEx(Info(L"progress"), 3, 0);
    const struct {
        const char* what;
        std::function<void()> act;
        bool raises;
    } cases[] = {
        {"left release", [&] { list->ClickLine(0); }, true},
        {"right release", [&] { list->ClickLine(0, ui::toolkit::kRightButton); }, false},
        {"enter", [&] { list->ListIndex(0); list->KeyUp(13); }, true},
        {"space", [&] { list->ListIndex(0); list->KeyUp(32); }, true},
        {"arrow key", [&] { list->ListIndex(0); list->KeyUp(40); }, false},
        {"progress line", [&] { list->ClickLine(1); }, false},
        {"no selection", [&] { list->ListIndex(-1); list->KeyUp(13); }, false},
    };
    for (const auto& c : cases) {
        shown.clear();
        c.act();
        EXPECT_EQ(shown.size(), c.raises ? 1u : 0u) << c.what;
    }
    EXPECT_EQ(list->TypeKey('a'), 0);
}

TEST_F(ListBoxExTest, HoverSetsHandAndToolTipOncePerLine) {
    lb.AddItemEx(Info(L"a"), 2, 1);
    lb.AddItemEx(Info(L"b"), 2, 2);
    toolkit.calls.clear();
    // The remembered answer starts as "line 0, inside": the first line
    // itself only counts once the pointer has been elsewhere.
    list->MouseMove(100, 10);
    EXPECT_TRUE(toolkit.calls.empty());
    list->MouseMove(100, kListLineHeight + 10);
    EXPECT_EQ(list->Pointer(), MousePointer::Custom);
    EXPECT_EQ(list->ToolTip(), L"tip");
    const auto afterFirst = toolkit.calls.size();
    EXPECT_EQ(afterFirst, 2u);
    list->MouseMove(200, kListLineHeight + 20);  // same line
    EXPECT_EQ(toolkit.calls.size(), afterFirst);
    list->MouseMove(200, 5);  // another line: set again
    EXPECT_EQ(toolkit.calls.size(), afterFirst + 2);
    list->MouseMove(-5, 10);  // left the client area
    EXPECT_EQ(list->Pointer(), MousePointer::Default);
    EXPECT_EQ(list->ToolTip(), L"");
}

TEST_F(ListBoxExTest, OnlyAWindowWithTheDefaultPointerHovers) {
    list->AddItem(L"a");
    list->AddItem(L"b");
    // An arrow set by the program, or the hourglass of a run, freezes the pointer.
    for (MousePointer pointer : {MousePointer::Arrow, MousePointer::Hourglass}) {
        window->Pointer(pointer);
        toolkit.calls.clear();
        list->MouseMove(10, kListLineHeight + 10);
        EXPECT_TRUE(toolkit.calls.empty());
        EXPECT_EQ(list->Pointer(), MousePointer::Default);
    }
    window->Pointer(MousePointer::Default);
    list->MouseMove(10, kListLineHeight + 10);
    EXPECT_EQ(list->Pointer(), MousePointer::Custom);
}

// Re-initialised onto another list, or destroyed, an object reaches its old
// list's events no more.
TEST_F(ListBoxExTest, AListLeftBehindReachesNothing) {
    auto& second = static_cast<ui::toolkit::memory::MemListBox&>(window->AddListBox(L"second"));
    lb.Initialise(*window, second);
    EXPECT_EQ(list->TypeKey('x'), 'x');
    EXPECT_EQ(second.TypeKey('x'), 0);
    second.AddItem(L"a");
    second.AddItem(L"b");
    int raised = 0;
    {
        clsListBoxEx other;
        other.Initialise(*window, second);
        other.ShowUserInfo = [&](const std::wstring&, const std::wstring&, const std::wstring&) { ++raised; };
        other.AddItemEx(Info(L"c"), 2, 5);
    }
    second.MouseMove(10, kListLineHeight + 10);
    second.ClickLine(2);
    EXPECT_EQ(second.Pointer(), MousePointer::Default);
    EXPECT_EQ(raised, 0);
    EXPECT_TRUE(shown.empty()) << "the list was taken from the first object";
}

}  // namespace
