#pragma once
// A toolkit that keeps every control's state in memory and reports each call
// the program makes on the seam. The console front end draws from this state;
// the tests' recording toolkit records the reports and fires events.
// MsgBox, DoEvents and Run are left to those two.

#include <cstdint>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/Toolkit.h"

namespace ui::toolkit::memory {

// One call on the seam: "lblVer" "Caption" "v 1.0.0 [37]".
struct Call {
    std::wstring Target;  // control name, "name(index)" for array elements
    std::wstring Member;
    std::wstring Value;
    std::wstring ToString() const;  // Target.Member=Value
};

std::wstring FormatFont(const FontInfo& font);
std::wstring FormatRect(const Rect& rect);

inline constexpr Twips kTwipsPerPixel = 15;
// Height of one list line (16 pixels, the Verdana 9.75 pt line).
inline constexpr Twips kListLineHeight = 240;

class MemToolkit;
class MemWindow;

// State and call reports shared by every control kind.
template <class Interface>
class MemControl : public Interface {
public:
    MemControl(MemWindow& objWindow, std::wstring strName, int16_t intIndex, Container& objParent)
        : mWindow(objWindow), mName(std::move(strName)), mIndex(intIndex), mParent(&objParent) {}

    const std::wstring& Name() const override { return mName; }
    int16_t Index() const override { return mIndex; }
    Container& Parent() const override { return *mParent; }
    Rect Bounds() const override { return mBounds; }
    void Bounds(const Rect& rcBounds) override { mBounds = rcBounds; Record(L"Bounds", FormatRect(rcBounds)); }
    bool Visible() const override { return mVisible; }
    void Visible(bool blnVisible) override { mVisible = blnVisible; Record(L"Visible", BoolText(blnVisible)); }
    bool Enabled() const override { return mEnabled; }
    void Enabled(bool blnEnabled) override { mEnabled = blnEnabled; Record(L"Enabled", BoolText(blnEnabled)); }
    FontInfo Font() const override { return mFont; }
    void Font(const FontInfo& font) override { mFont = font; Record(L"Font", FormatFont(font)); }
    Color ForeColor() const override { return mForeColor; }
    void ForeColor(Color color) override { mForeColor = color; Record(L"ForeColor", ColorText(color)); }
    Color BackColor() const override { return mBackColor; }
    void BackColor(Color color) override { mBackColor = color; Record(L"BackColor", ColorText(color)); }
    std::wstring ToolTip() const override { return mToolTip; }
    void ToolTip(std::wstring_view strText) override { mToolTip = strText; Record(L"ToolTip", mToolTip); }
    MousePointer Pointer() const override { return mPointer; }
    void Pointer(MousePointer pointer) override { mPointer = pointer; Record(L"Pointer", PointerText(pointer)); }
    void MouseIcon(std::wstring_view strCursorName) override { mMouseIcon = strCursorName; Record(L"MouseIcon", mMouseIcon); }
    void TabStop(bool blnTabStop) override { mTabStop = blnTabStop; Record(L"TabStop", BoolText(blnTabStop)); }
    void TabIndex(int16_t intTabIndex) override { mTabIndex = intTabIndex; Record(L"TabIndex", NumberText(intTabIndex)); }
    void Appearance(toolkit::Appearance appearance) override {
        mAppearance = appearance;
        Record(L"Appearance", appearance == toolkit::Appearance::Flat ? L"Flat" : L"3D");
    }
    void Border(bool blnBorder) override { mBorder = blnBorder; Record(L"Border", BoolText(blnBorder)); }
    void BringToFront() override { Record(L"BringToFront", L""); }

    // Settings the seam does not read back, for inspection.
    const std::wstring& MouseIconName() const { return mMouseIcon; }
    bool TabStopValue() const { return mTabStop; }
    int16_t TabIndexValue() const { return mTabIndex; }
    toolkit::Appearance AppearanceValue() const { return mAppearance; }
    bool BorderValue() const { return mBorder; }
    MemWindow& Window() const { return mWindow; }
    std::wstring Target() const { return mIndex < 0 ? mName : mName + L"(" + NumberText(mIndex) + L")"; }

protected:
    void Record(std::wstring_view strMember, std::wstring strValue) const;
    static std::wstring BoolText(bool value) { return value ? L"True" : L"False"; }
    static std::wstring NumberText(int64_t value);
    static std::wstring ColorText(Color color);
    static std::wstring PointerText(MousePointer pointer);
    // Copies the state a new control-array element takes from its template.
    void CopyStateFrom(const MemControl& other) {
        mBounds = other.mBounds;
        mEnabled = other.mEnabled;
        mFont = other.mFont;
        mForeColor = other.mForeColor;
        mBackColor = other.mBackColor;
        mToolTip = other.mToolTip;
        mPointer = other.mPointer;
        mMouseIcon = other.mMouseIcon;
        mTabStop = other.mTabStop;
        mAppearance = other.mAppearance;
        mBorder = other.mBorder;
        mParent = other.mParent;
    }

    MemWindow& mWindow;

private:
    std::wstring mName;
    int16_t mIndex;
    Container* mParent;
    Rect mBounds;
    bool mVisible = true;
    bool mEnabled = true;
    FontInfo mFont;
    Color mForeColor = kColorWindowText;
    Color mBackColor = kColorWindowBackground;
    std::wstring mToolTip;
    MousePointer mPointer = MousePointer::Default;
    std::wstring mMouseIcon;
    bool mTabStop = true;
    int16_t mTabIndex = 0;
    toolkit::Appearance mAppearance = toolkit::Appearance::ThreeD;
    bool mBorder = false;
};

class MemLabel final : public MemControl<Label> {
public:
    using MemControl::MemControl;
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override { mCaption = strCaption; Record(L"Caption", mCaption); }
    void Transparent(bool blnTransparent) override { mTransparent = blnTransparent; Record(L"Transparent", BoolText(blnTransparent)); }
    bool TransparentValue() const { return mTransparent; }
    // The user clicks it; false when it cannot take a click.
    bool Click();

private:
    std::wstring mCaption;
    bool mTransparent = false;
};

class MemButton final : public MemControl<Button> {
public:
    using MemControl::MemControl;
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override { mCaption = strCaption; Record(L"Caption", mCaption); }
    void SetFocus() override;
    bool HasFocus() const override;
    // The user clicks it; false (and nothing happens) when it is disabled,
    // hidden, or its window is gone.
    bool Click();

private:
    std::wstring mCaption;
};

class MemCheckBox final : public MemControl<CheckBox> {
public:
    using MemControl::MemControl;
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override { mCaption = strCaption; Record(L"Caption", mCaption); }
    int16_t Value() const override { return mValue; }
    void Value(int16_t intValue) override { mValue = intValue; Record(L"Value", NumberText(intValue)); }
    // The user toggles it.
    bool Click();
    void TakeTemplate(const MemCheckBox& objTemplate);

private:
    std::wstring mCaption;
    int16_t mValue = kUnchecked;
};

class MemPictureBox final : public MemControl<PictureBox> {
public:
    using MemControl::MemControl;
    Size InnerSize() const override;
    void Picture(std::wstring_view strResourceName) override { mPicture = strResourceName; Record(L"Picture", mPicture); }
    const std::wstring& PictureName() const { return mPicture; }

private:
    std::wstring mPicture;
};

class MemListBox final : public MemControl<ListBox> {
public:
    struct Line {
        std::wstring Text;
        int32_t Data = 0;
        // Free for a front end's bookkeeping (the console marks printed lines).
        bool Shown = false;
    };

    using MemControl::MemControl;
    int32_t ListCount() const override { return static_cast<int32_t>(mLines.size()); }
    void AddItem(std::wstring_view strText, int32_t lngIndex = -1) override;
    void RemoveItem(int32_t lngIndex) override;
    void Clear() override;
    std::wstring List(int32_t lngIndex) const override;
    int32_t ItemData(int32_t lngIndex) const override;
    void ItemData(int32_t lngIndex, int32_t lngData) override;
    int32_t ListIndex() const override { return mListIndex; }
    void ListIndex(int32_t lngIndex) override;
    ListHit ItemFromPoint(Twips x, Twips y) const override;

    std::vector<Line>& Lines() { return mLines; }
    const std::vector<Line>& Lines() const { return mLines; }

    // The user's actions, as the list reports them.
    void MouseMove(Twips x, Twips y, int16_t intButton = 0, int16_t intShift = 0);
    // Selects the line under the pointer and releases the button there.
    void ClickLine(int32_t lngLine, int16_t intButton = kLeftButton);
    // A key typed (KeyPress); returns the character the list keeps (0 = discarded).
    int16_t TypeKey(int16_t intKeyAscii);
    void KeyUp(int16_t intKeyCode, int16_t intShift = 0);

private:
    std::vector<Line> mLines;
    int32_t mListIndex = -1;
};

class MemCheckBoxArray final : public CheckBoxArray {
public:
    MemCheckBoxArray(MemWindow& objWindow, std::wstring strName, Container& objParent);
    const std::wstring& Name() const override { return mName; }
    CheckBox& Load(int16_t intIndex) override;
    void Unload(int16_t intIndex) override;
    CheckBox* Item(int16_t intIndex) const override;
    std::vector<int16_t> Indexes() const override;
    MemCheckBox* Element(int16_t intIndex) const;

private:
    MemWindow& mWindow;
    std::wstring mName;
    std::map<int16_t, std::unique_ptr<MemCheckBox>> mElements;
};

class MemTimer final : public Timer {
public:
    MemTimer(MemWindow& objWindow, std::wstring strName);
    const std::wstring& Name() const override { return mName; }
    int32_t Interval() const override { return mInterval; }
    void Interval(int32_t lngMilliseconds) override;
    bool Enabled() const override { return mEnabled; }
    void Enabled(bool blnEnabled) override;
    // Milliseconds until the next tick (0 = due now), -1 when it will not tick.
    int64_t DueIn(uint32_t lngNow) const;
    // Delivers one tick (re-arming first, as a real timer does); false when
    // the timer is off.
    bool Tick();

private:
    MemWindow& mWindow;
    std::wstring mName;
    int32_t mInterval = 0;
    bool mEnabled = false;
    uint32_t mArmedAt = 0;
};

class MemWindow final : public Window {
public:
    MemWindow(MemToolkit& objToolkit, std::wstring strName);
    ~MemWindow() override;

    const std::wstring& Name() const override { return mName; }
    Size InnerSize() const override { return mClientSize; }
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    MousePointer Pointer() const override { return mPointer; }
    void Pointer(MousePointer pointer) override;
    FontInfo Font() const override { return mFont; }
    void Font(const FontInfo& font) override;
    Color ForeColor() const override { return mForeColor; }
    void ForeColor(Color color) override;
    Color BackColor() const override { return mBackColor; }
    void BackColor(Color color) override;
    void ClientSize(const Size& size) override;
    void Icon(int32_t lngResourceId) override;
    void CancelButton(Button* objButton) override;

    Label& AddLabel(std::wstring_view strName, Container* objParent = nullptr, int16_t intIndex = -1) override;
    Button& AddButton(std::wstring_view strName, Container* objParent = nullptr) override;
    ListBox& AddListBox(std::wstring_view strName, Container* objParent = nullptr) override;
    PictureBox& AddPictureBox(std::wstring_view strName, Container* objParent = nullptr) override;
    CheckBoxArray& AddCheckBoxArray(std::wstring_view strName, Container* objParent = nullptr) override;
    Timer& AddTimer(std::wstring_view strName) override;

    void Show() override;
    bool Loaded() const override { return mLoaded; }
    bool Shown() const { return mShown; }
    bool Unload(UnloadMode mode = UnloadMode::Code) override;

    // Escape: clicks the cancel button.
    bool PressEscape();

    // Lookups by name (index -1: a control that is not an array element).
    MemLabel* FindLabel(std::wstring_view strName, int16_t intIndex = -1) const;
    MemButton* FindButton(std::wstring_view strName) const;
    MemListBox* FindListBox(std::wstring_view strName) const;
    MemPictureBox* FindPictureBox(std::wstring_view strName) const;
    MemCheckBoxArray* FindCheckBoxArray(std::wstring_view strName) const;
    MemTimer* FindTimer(std::wstring_view strName) const;
    MemButton* FocusedButton() const { return mFocus; }
    const std::vector<MemTimer*>& Timers() const { return mTimers; }

    MemToolkit& Toolkit() const { return mToolkit; }
    void Report(std::wstring_view strTarget, std::wstring_view strMember, std::wstring strValue) const;
    void SetFocusTo(MemButton* objButton) { mFocus = objButton; }

private:
    Container& ParentOrSelf(Container* objParent) { return objParent ? *objParent : *this; }

    MemToolkit& mToolkit;
    std::wstring mName;
    std::wstring mCaption;
    MousePointer mPointer = MousePointer::Default;
    FontInfo mFont;
    Color mForeColor = kColorWindowText;
    Color mBackColor = kColorButtonFace;
    Size mClientSize;
    int32_t mIcon = 0;
    MemButton* mCancel = nullptr;
    MemButton* mFocus = nullptr;
    bool mLoaded = true;
    bool mShown = false;

    std::vector<std::unique_ptr<MemLabel>> mLabels;
    std::vector<std::unique_ptr<MemButton>> mButtons;
    std::vector<std::unique_ptr<MemListBox>> mLists;
    std::vector<std::unique_ptr<MemPictureBox>> mPictures;
    std::vector<std::unique_ptr<MemCheckBoxArray>> mArrays;
    std::vector<std::unique_ptr<MemTimer>> mTimerStore;
    std::vector<MemTimer*> mTimers;
};

class MemToolkit : public Toolkit {
public:
    std::unique_ptr<Window> NewWindow(std::wstring_view strName) override;

    // Every call the program makes on the seam.
    virtual void Called(const Call& call) { (void)call; }
    // The clock timers count on, in milliseconds.
    virtual uint32_t Now();

    // The window made last that still exists, or null.
    MemWindow* MainWindow() const { return mWindows.empty() ? nullptr : mWindows.back(); }
    // Delivers every timer tick that is due now; the number delivered.
    int32_t TickDueTimers();

private:
    friend class MemWindow;
    std::vector<MemWindow*> mWindows;
};

template <class Interface>
void MemControl<Interface>::Record(std::wstring_view strMember, std::wstring strValue) const {
    mWindow.Report(Target(), strMember, std::move(strValue));
}

template <class Interface>
std::wstring MemControl<Interface>::NumberText(int64_t value) {
    return std::to_wstring(value);
}

template <class Interface>
std::wstring MemControl<Interface>::ColorText(Color color) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"&H%08X", static_cast<unsigned>(color));
    return buffer;
}

template <class Interface>
std::wstring MemControl<Interface>::PointerText(MousePointer pointer) {
    return std::to_wstring(static_cast<int>(pointer));
}

}  // namespace ui::toolkit::memory
