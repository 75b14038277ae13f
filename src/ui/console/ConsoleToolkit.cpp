#include "ui/console/ConsoleToolkit.h"

#include <algorithm>
#include <set>

#include "platform/Machine.h"

namespace ui::console {

using toolkit::MousePointer;
using toolkit::memory::MemListBox;

namespace {

// Longest sleep while waiting for a timer, so that requests are not missed
// by a console that cannot wake the sleep.
constexpr uint32_t kLongestWait = 100;

std::wstring ToLineEnds(std::wstring_view strText) {
    std::wstring text;
    text.reserve(strText.size());
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == L'\r' && i + 1 < strText.size() && strText[i + 1] == L'\n') continue;
        text += strText[i];
    }
    return text;
}

bool IsHighSurrogate(wchar_t ch) {
    return sizeof(wchar_t) == 2 && ch >= 0xD800 && ch <= 0xDBFF;
}

std::wstring LeadingBlanks(std::wstring_view strText) {
    const std::size_t first = strText.find_first_not_of(L' ');
    return std::wstring(first == std::wstring_view::npos ? strText.size() : first, L' ');
}

}  // namespace

ConsoleToolkit::ConsoleToolkit(platform::Console& objConsole, platform::Clock* objClock, ConsoleLayout layout)
    : mConsole(objConsole), mClock(objClock), mLayout(std::move(layout)) {
    mTerminal = mConsole.IsTerminal(platform::ConsoleStream::Output);
    mConsole.CatchEvents(true);
}

ConsoleToolkit::~ConsoleToolkit() {
    try {
        EraseTransient();
        mConsole.CatchEvents(false);
    } catch (...) {
    }
}

uint32_t ConsoleToolkit::Now() {
    return (mClock != nullptr ? mClock : platform::Host().clock)->Milliseconds();
}

bool ConsoleToolkit::Busy() const {
    const auto* window = MainWindow();
    return window != nullptr && window->Pointer() == MousePointer::Hourglass;
}

MemListBox* ConsoleToolkit::List() const {
    const auto* window = MainWindow();
    return window == nullptr ? nullptr : window->FindListBox(mLayout.List);
}

void ConsoleToolkit::Called(const toolkit::memory::Call& call) {
    const auto* window = MainWindow();
    if (window == nullptr) return;
    if (call.Member == L"Pointer" && call.Target == window->Name()) {
        if (Busy()) {
            mEverBusy = true;
        } else {
            EraseTransient();
        }
        return;
    }
    if (call.Member != L"Caption") return;
    const bool blnFailed = mEverBusy && !Busy() && CheckFinished && !CheckFinished();
    if (call.Target == mLayout.Header) {
        if (call.Value == mHeader) return;
        mHeader = call.Value;
        // While busy the header is part of the progress line drawn at the
        // next pump.
        if (!Busy() && !mHeader.empty() && !blnFailed) PrintLines(mHeader);
    } else if (call.Target == mLayout.Footer) {
        if (call.Value == mFooter) return;
        mFooter = call.Value;
        if (!mFooter.empty() && !blnFailed) PrintLines(mFooter);
    }
}

int32_t ConsoleToolkit::MsgBox(std::wstring_view strText, uint32_t, std::wstring_view strTitle) {
    EraseTransient();
    std::wstring line(strTitle);
    line += L": ";
    line += ToLineEnds(strText);
    line += L"\n";
    mConsole.Write(platform::ConsoleStream::Error, line);
    return toolkit::kMsgAnswerOk;
}

void ConsoleToolkit::PrintLines(std::wstring_view strText) {
    EraseTransient();
    std::wstring text = ToLineEnds(strText);
    if (text.empty() || text.back() != L'\n') text += L'\n';
    mConsole.Write(platform::ConsoleStream::Output, text);
}

void ConsoleToolkit::EraseTransient() {
    if (mTransient.empty()) return;
    mConsole.Write(platform::ConsoleStream::Output, L"\r" + std::wstring(mTransient.size(), L' ') + L"\r");
    mTransient.clear();
}

void ConsoleToolkit::DrawTransient(const std::wstring& strText) {
    if (strText == mTransient) return;
    std::wstring line = L"\r" + strText;
    // Blank out what a longer previous line leaves behind.
    if (mTransient.size() > strText.size()) line += std::wstring(mTransient.size() - strText.size(), L' ');
    mConsole.Write(platform::ConsoleStream::Output, line);
    mTransient = strText;
}

void ConsoleToolkit::Draw() {
    MemListBox* list = List();
    std::wstring progress;
    if (list != nullptr) {
        for (MemListBox::Line& line : list->Lines()) {
            if (line.Data == 0) {
                if (!progress.empty()) progress += L' ';
                progress += line.Text;
            } else if (!line.Shown) {
                line.Shown = true;
                PrintLines(line.Text);
            }
        }
    }
    if (!mTerminal || !Busy()) {
        EraseTransient();
        return;
    }
    std::wstring text = mHeader + progress;
    const int32_t columns = mConsole.Columns(platform::ConsoleStream::Output);
    // One column short: writing the last column wraps on some terminals.
    if (columns > 1 && text.size() >= static_cast<std::size_t>(columns)) {
        std::size_t keep = static_cast<std::size_t>(columns - 1);
        if (IsHighSurrogate(text[keep - 1])) --keep;
        text.resize(keep);
    }
    while (!text.empty() && text.back() == L' ') text.pop_back();
    if (text.empty()) {
        EraseTransient();
    } else {
        DrawTransient(text);
    }
}

void ConsoleToolkit::TakeConsoleEvents() {
    for (auto event = mConsole.TakeEvent(); event != platform::ConsoleEvent::None; event = mConsole.TakeEvent()) {
        auto* window = MainWindow();
        if (window == nullptr || !window->Loaded()) continue;
        if (event == platform::ConsoleEvent::Interrupt && Busy()) {
            if (auto* button = window->FocusedButton()) button->Click();
        } else {
            window->Unload(event == platform::ConsoleEvent::Interrupt ? toolkit::UnloadMode::CloseBox
                                                                      : toolkit::UnloadMode::TaskManager);
        }
    }
}

void ConsoleToolkit::DoEvents() {
    TakeConsoleEvents();
    TickDueTimers();
    Draw();
}

void ConsoleToolkit::PrintFoundDetails() {
    MemListBox* list = List();
    auto* window = MainWindow();
    if (list == nullptr || window == nullptr) return;
    std::vector<std::pair<std::wstring, int32_t>> found;
    std::set<int32_t> seen;
    for (const auto& line : list->Lines()) {
        if (line.Data != 0 && seen.insert(line.Data).second) found.emplace_back(line.Text, line.Data);
    }
    for (const auto& [text, data] : found) {
        // Select the line as the user would (its position may have moved if
        // a handler changed the list).
        int32_t at = -1;
        for (int32_t i = 0; i < list->ListCount(); ++i) {
            if (list->Lines()[static_cast<std::size_t>(i)].Data == data) {
                at = i;
                break;
            }
        }
        if (at < 0) continue;
        list->ListIndex(at);
        list->KeyUp(toolkit::kKeyReturn);
        const auto* description = window->FindLabel(mLayout.Description);
        const auto* link = window->FindLabel(mLayout.Link);
        const std::wstring indent = LeadingBlanks(text) + L"    ";
        std::wstring block = L"\n" + text + L"\n";
        if (description != nullptr && description->Visible() && !description->Caption().empty()) {
            std::wstring body = ToLineEnds(description->Caption());
            std::size_t from = 0;
            while (from <= body.size()) {
                const std::size_t end = std::min(body.find(L'\n', from), body.size());
                block += indent + body.substr(from, end - from) + L"\n";
                from = end + 1;
            }
        }
        if (link != nullptr && link->Visible() && !link->ToolTip().empty()) block += indent + link->ToolTip() + L"\n";
        EraseTransient();
        mConsole.Write(platform::ConsoleStream::Output, block);
    }
}

void ConsoleToolkit::Run(toolkit::Window& objWindow) {
    while (objWindow.Loaded()) {
        DoEvents();
        if (!objWindow.Loaded()) break;
        int64_t next = -1;
        if (const auto* window = MainWindow()) {
            for (const auto* timer : window->Timers()) {
                const int64_t due = timer->DueIn(Now());
                if (due >= 0 && (next < 0 || due < next)) next = due;
            }
        }
        if (next > 0) {
            mConsole.Wait(static_cast<uint32_t>(std::min<int64_t>(next, kLongestWait)));
            continue;
        }
        if (next == 0) continue;
        if (!mEverBusy && !mStartClicked) {
            mStartClicked = true;
            auto* window = MainWindow();
            if (window != nullptr && window->FocusedButton() != nullptr) {
                window->FocusedButton()->Click();
                continue;
            }
        }
        if (!mDetailsPrinted) {
            mDetailsPrinted = true;
            PrintFoundDetails();
        }
        if (!objWindow.Unload(toolkit::UnloadMode::Code)) {
            // Refused without a timer to come back: nothing will change.
            bool waiting = false;
            if (const auto* window = MainWindow()) {
                for (const auto* timer : window->Timers()) waiting = waiting || timer->DueIn(Now()) >= 0;
            }
            if (!waiting) break;
        }
    }
    EraseTransient();
}

}  // namespace ui::console
