#include "ui/toolkit/Memory.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "base/VbError.h"
#include "platform/Machine.h"

namespace ui::toolkit::memory {

namespace {

template <typename T>
T* FindIn(const std::vector<std::unique_ptr<T>>& items, std::wstring_view strName, int16_t intIndex) {
    for (const auto& item : items) {
        if (item->Name() == strName && item->Index() == intIndex) return item.get();
    }
    return nullptr;
}

template <typename Function, typename... Args>
void Fire(const Function& callback, Args&&... args) {
    // A copy: the handler may replace the callback while it runs.
    if (auto handler = callback) handler(std::forward<Args>(args)...);
}

}  // namespace

std::wstring Call::ToString() const {
    return Target + L"." + Member + L"=" + Value;
}

std::wstring FormatFont(const FontInfo& font) {
    wchar_t size[32];
    std::swprintf(size, 32, L"%g", font.Size);
    std::wstring text = font.Name + L"," + size + L"," + std::to_wstring(font.Weight);
    if (font.Italic) text += L",italic";
    if (font.Underline) text += L",underline";
    if (font.Strikethrough) text += L",strikethrough";
    return text + L"," + std::to_wstring(font.Charset);
}

std::wstring FormatRect(const Rect& rect) {
    return std::to_wstring(rect.Left) + L"," + std::to_wstring(rect.Top) + L"," + std::to_wstring(rect.Width) + L"," +
           std::to_wstring(rect.Height);
}

// ---- controls ----

bool MemLabel::Click() {
    if (!Enabled() || !Visible() || !mWindow.Loaded()) return false;
    Fire(OnClick);
    return true;
}

void MemButton::SetFocus() {
    mWindow.SetFocusTo(this);
    Record(L"SetFocus", L"");
}

bool MemButton::HasFocus() const {
    return mWindow.FocusedButton() == this;
}

bool MemButton::Click() {
    if (!Enabled() || !Visible() || !mWindow.Loaded()) return false;
    Fire(OnClick);
    return true;
}

bool MemCheckBox::Click() {
    if (!Enabled() || !Visible() || !mWindow.Loaded()) return false;
    Value(Value() == kChecked ? kUnchecked : kChecked);
    Fire(OnClick);
    return true;
}

void MemCheckBox::TakeTemplate(const MemCheckBox& objTemplate) {
    CopyStateFrom(objTemplate);
    mCaption = objTemplate.mCaption;
    mValue = objTemplate.mValue;
    // A loaded element starts hidden; the program shows it.
    Visible(false);
}

Size MemPictureBox::InnerSize() const {
    const Rect bounds = Bounds();
    const Twips border = BorderValue() ? (AppearanceValue() == toolkit::Appearance::Flat ? 1 : 2) * kTwipsPerPixel : 0;
    return Size{std::max<Twips>(0, bounds.Width - 2 * border), std::max<Twips>(0, bounds.Height - 2 * border)};
}

void MemListBox::AddItem(std::wstring_view strText, int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex > ListCount()) base::Raise(base::vbErrInvalidArgument);
    const auto at = lngIndex == -1 ? mLines.end() : mLines.begin() + lngIndex;
    mLines.insert(at, Line{std::wstring(strText), 0, false});
    if (mListIndex >= 0 && lngIndex != -1 && lngIndex <= mListIndex) ++mListIndex;
    Record(L"AddItem", std::to_wstring(lngIndex) + L"," + std::wstring(strText));
}

void MemListBox::RemoveItem(int32_t lngIndex) {
    if (lngIndex < 0 || lngIndex >= ListCount()) base::Raise(base::vbErrInvalidArgument);
    mLines.erase(mLines.begin() + lngIndex);
    if (mListIndex == lngIndex) {
        mListIndex = -1;
    } else if (mListIndex > lngIndex) {
        --mListIndex;
    }
    Record(L"RemoveItem", std::to_wstring(lngIndex));
}

void MemListBox::Clear() {
    mLines.clear();
    mListIndex = -1;
    Record(L"Clear", L"");
}

std::wstring MemListBox::List(int32_t lngIndex) const {
    if (lngIndex < 0 || lngIndex >= ListCount()) return {};
    return mLines[static_cast<std::size_t>(lngIndex)].Text;
}

int32_t MemListBox::ItemData(int32_t lngIndex) const {
    CheckIndex(lngIndex, ListCount());
    return mLines[static_cast<std::size_t>(lngIndex)].Data;
}

void MemListBox::ItemData(int32_t lngIndex, int32_t lngData) {
    CheckIndex(lngIndex, ListCount());
    mLines[static_cast<std::size_t>(lngIndex)].Data = lngData;
    Record(L"ItemData", std::to_wstring(lngIndex) + L"," + std::to_wstring(lngData));
}

void MemListBox::ListIndex(int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex >= ListCount()) base::Raise(380, {}, L"Invalid property value");
    mListIndex = lngIndex;
    Record(L"ListIndex", std::to_wstring(lngIndex));
}

ListHit MemListBox::ItemFromPoint(Twips x, Twips y) const {
    const Rect bounds = Bounds();
    ListHit hit;
    hit.Outside = x < 0 || y < 0 || x >= bounds.Width || y >= bounds.Height;
    if (mLines.empty()) return hit;
    const int64_t line = y < 0 ? 0 : y / kListLineHeight;
    hit.Line = static_cast<int32_t>(std::min<int64_t>(line, ListCount() - 1));
    return hit;
}

void MemListBox::MouseMove(Twips x, Twips y, int16_t intButton, int16_t intShift) {
    Fire(OnMouseMove, intButton, intShift, x, y);
}

void MemListBox::ClickLine(int32_t lngLine, int16_t intButton) {
    const Twips x = Bounds().Width / 2;
    const Twips y = lngLine * kListLineHeight + kListLineHeight / 2;
    if (intButton == kLeftButton && lngLine >= 0 && lngLine < ListCount()) {
        mListIndex = lngLine;
        Fire(OnClick);
    }
    Fire(OnMouseUp, intButton, int16_t{0}, x, y);
}

int16_t MemListBox::TypeKey(int16_t intKeyAscii) {
    Fire(OnKeyPress, intKeyAscii);
    return intKeyAscii;
}

void MemListBox::KeyUp(int16_t intKeyCode, int16_t intShift) {
    Fire(OnKeyUp, intKeyCode, intShift);
}

// ---- control array ----

MemCheckBoxArray::MemCheckBoxArray(MemWindow& objWindow, std::wstring strName, Container& objParent)
    : mWindow(objWindow), mName(std::move(strName)) {
    auto element = std::make_unique<MemCheckBox>(objWindow, mName, int16_t{0}, objParent);
    mElements.emplace(int16_t{0}, std::move(element));
}

CheckBox& MemCheckBoxArray::Load(int16_t intIndex) {
    if (intIndex < 0) base::Raise(340, {}, L"Control array element does not exist");
    if (mElements.count(intIndex) != 0) base::Raise(360, {}, L"Object already loaded");
    const MemCheckBox& objTemplate = *mElements.at(0);
    auto element = std::make_unique<MemCheckBox>(mWindow, mName, intIndex, objTemplate.Parent());
    MemCheckBox& made = *element;
    mElements.emplace(intIndex, std::move(element));
    mWindow.Report(mName, L"Load", std::to_wstring(intIndex));
    made.TakeTemplate(objTemplate);
    return made;
}

void MemCheckBoxArray::Unload(int16_t intIndex) {
    if (intIndex == 0) base::Raise(362, {}, L"Cannot unload controls created at design time");
    if (mElements.erase(intIndex) == 0) base::Raise(340, {}, L"Control array element does not exist");
    mWindow.Report(mName, L"Unload", std::to_wstring(intIndex));
}

CheckBox* MemCheckBoxArray::Item(int16_t intIndex) const {
    return Element(intIndex);
}

MemCheckBox* MemCheckBoxArray::Element(int16_t intIndex) const {
    auto found = mElements.find(intIndex);
    return found == mElements.end() ? nullptr : found->second.get();
}

std::vector<int16_t> MemCheckBoxArray::Indexes() const {
    std::vector<int16_t> indexes;
    for (const auto& [index, element] : mElements) indexes.push_back(index);
    return indexes;
}

// ---- timer ----

MemTimer::MemTimer(MemWindow& objWindow, std::wstring strName) : mWindow(objWindow), mName(std::move(strName)) {}

void MemTimer::Interval(int32_t lngMilliseconds) {
    mInterval = lngMilliseconds;
    mArmedAt = mWindow.Toolkit().Now();
    mWindow.Report(mName, L"Interval", std::to_wstring(lngMilliseconds));
}

void MemTimer::Enabled(bool blnEnabled) {
    if (blnEnabled) mArmedAt = mWindow.Toolkit().Now();
    mEnabled = blnEnabled;
    mWindow.Report(mName, L"Enabled", blnEnabled ? L"True" : L"False");
}

int64_t MemTimer::DueIn(uint32_t lngNow) const {
    if (!mEnabled || mInterval <= 0) return -1;
    const uint32_t elapsed = lngNow - mArmedAt;  // wraps with the tick count
    return elapsed >= static_cast<uint32_t>(mInterval) ? 0 : static_cast<int64_t>(mInterval) - elapsed;
}

bool MemTimer::Tick() {
    if (!mEnabled || mInterval <= 0 || !mWindow.Loaded()) return false;
    mArmedAt = mWindow.Toolkit().Now();
    Fire(OnTimer);
    return true;
}

// ---- window ----

MemWindow::MemWindow(MemToolkit& objToolkit, std::wstring strName) : mToolkit(objToolkit), mName(std::move(strName)) {
    mToolkit.mWindows.push_back(this);
}

MemWindow::~MemWindow() {
    auto& windows = mToolkit.mWindows;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void MemWindow::Report(std::wstring_view strTarget, std::wstring_view strMember, std::wstring strValue) const {
    mToolkit.Called(Call{std::wstring(strTarget), std::wstring(strMember), std::move(strValue)});
}

void MemWindow::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    Report(mName, L"Caption", mCaption);
}

void MemWindow::Pointer(MousePointer pointer) {
    mPointer = pointer;
    Report(mName, L"Pointer", std::to_wstring(static_cast<int>(pointer)));
}

void MemWindow::Font(const FontInfo& font) {
    mFont = font;
    Report(mName, L"Font", FormatFont(font));
}

void MemWindow::ForeColor(Color color) {
    mForeColor = color;
    Report(mName, L"ForeColor", std::to_wstring(color));
}

void MemWindow::BackColor(Color color) {
    mBackColor = color;
    Report(mName, L"BackColor", std::to_wstring(color));
}

void MemWindow::ClientSize(const Size& size) {
    mClientSize = size;
    Report(mName, L"ClientSize", std::to_wstring(size.Width) + L"," + std::to_wstring(size.Height));
}

void MemWindow::Icon(int32_t lngResourceId) {
    mIcon = lngResourceId;
    Report(mName, L"Icon", std::to_wstring(lngResourceId));
}

void MemWindow::CancelButton(Button* objButton) {
    mCancel = nullptr;
    for (const auto& button : mButtons) {
        if (button.get() == objButton) mCancel = button.get();
    }
    Report(mName, L"CancelButton", mCancel ? mCancel->Name() : std::wstring());
}

Label& MemWindow::AddLabel(std::wstring_view strName, Container* objParent, int16_t intIndex) {
    mLabels.push_back(std::make_unique<MemLabel>(*this, std::wstring(strName), intIndex, ParentOrSelf(objParent)));
    Report(mName, L"AddLabel", mLabels.back()->Target());
    return *mLabels.back();
}

Button& MemWindow::AddButton(std::wstring_view strName, Container* objParent) {
    mButtons.push_back(std::make_unique<MemButton>(*this, std::wstring(strName), int16_t{-1}, ParentOrSelf(objParent)));
    Report(mName, L"AddButton", mButtons.back()->Name());
    return *mButtons.back();
}

ListBox& MemWindow::AddListBox(std::wstring_view strName, Container* objParent) {
    mLists.push_back(std::make_unique<MemListBox>(*this, std::wstring(strName), int16_t{-1}, ParentOrSelf(objParent)));
    Report(mName, L"AddListBox", mLists.back()->Name());
    return *mLists.back();
}

PictureBox& MemWindow::AddPictureBox(std::wstring_view strName, Container* objParent) {
    mPictures.push_back(
        std::make_unique<MemPictureBox>(*this, std::wstring(strName), int16_t{-1}, ParentOrSelf(objParent)));
    Report(mName, L"AddPictureBox", mPictures.back()->Name());
    return *mPictures.back();
}

CheckBoxArray& MemWindow::AddCheckBoxArray(std::wstring_view strName, Container* objParent) {
    mArrays.push_back(std::make_unique<MemCheckBoxArray>(*this, std::wstring(strName), ParentOrSelf(objParent)));
    Report(mName, L"AddCheckBoxArray", mArrays.back()->Name());
    // The template is hidden until the program shows an element.
    mArrays.back()->Element(0)->Visible(false);
    return *mArrays.back();
}

Timer& MemWindow::AddTimer(std::wstring_view strName) {
    mTimerStore.push_back(std::make_unique<MemTimer>(*this, std::wstring(strName)));
    mTimers.push_back(mTimerStore.back().get());
    Report(mName, L"AddTimer", mTimerStore.back()->Name());
    return *mTimerStore.back();
}

void MemWindow::Show() {
    mShown = true;
    Report(mName, L"Show", L"");
}

bool MemWindow::Unload(UnloadMode mode) {
    Report(mName, L"Unload", std::to_wstring(static_cast<int>(mode)));
    if (!mLoaded) return true;
    bool blnCancel = false;
    Fire(OnQueryUnload, blnCancel, mode);
    if (blnCancel) return false;
    mLoaded = false;
    mShown = false;
    for (MemTimer* timer : mTimers) {
        if (timer->Enabled()) timer->Enabled(false);
    }
    Fire(OnUnload);
    return true;
}

bool MemWindow::PressEscape() {
    return mCancel != nullptr && mCancel->Click();
}

MemLabel* MemWindow::FindLabel(std::wstring_view strName, int16_t intIndex) const {
    return FindIn(mLabels, strName, intIndex);
}
MemButton* MemWindow::FindButton(std::wstring_view strName) const {
    return FindIn(mButtons, strName, -1);
}
MemListBox* MemWindow::FindListBox(std::wstring_view strName) const {
    return FindIn(mLists, strName, -1);
}
MemPictureBox* MemWindow::FindPictureBox(std::wstring_view strName) const {
    return FindIn(mPictures, strName, -1);
}
MemCheckBoxArray* MemWindow::FindCheckBoxArray(std::wstring_view strName) const {
    for (const auto& array : mArrays) {
        if (array->Name() == strName) return array.get();
    }
    return nullptr;
}
MemTimer* MemWindow::FindTimer(std::wstring_view strName) const {
    for (MemTimer* timer : mTimers) {
        if (timer->Name() == strName) return timer;
    }
    return nullptr;
}

// ---- toolkit ----

std::unique_ptr<Window> MemToolkit::NewWindow(std::wstring_view strName) {
    return std::make_unique<MemWindow>(*this, std::wstring(strName));
}

uint32_t MemToolkit::Now() {
    return platform::Host().clock->Milliseconds();
}

int32_t MemToolkit::TickDueTimers() {
    int32_t delivered = 0;
    // A tick may unload or destroy nothing here, but it may re-arm timers:
    // each is looked at once per call.
    std::vector<MemTimer*> due;
    for (MemWindow* window : mWindows) {
        if (!window->Loaded()) continue;
        for (MemTimer* timer : window->Timers()) {
            if (timer->DueIn(Now()) == 0) due.push_back(timer);
        }
    }
    for (MemTimer* timer : due) {
        if (timer->Tick()) ++delivered;
    }
    return delivered;
}

}  // namespace ui::toolkit::memory
