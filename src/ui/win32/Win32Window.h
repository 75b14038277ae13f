#pragma once
// The program's top-level window on Win32 and the factory of its controls.
// One window procedure serves the window, its frames and its labels: child
// notifications, colours and mouse pointers are all decided here.

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/toolkit/Window.h"

namespace ui::win32 {

class Win32Toolkit;
class Win32ControlBase;
class Win32Button;
class Win32CheckBoxArray;
class Win32Timer;

class Win32Window final : public toolkit::Window {
public:
    Win32Window(Win32Toolkit& objToolkit, std::wstring strName);
    ~Win32Window() override;

    const std::wstring& Name() const override { return mName; }
    toolkit::Size InnerSize() const override;
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    toolkit::MousePointer Pointer() const override { return mPointer; }
    void Pointer(toolkit::MousePointer pointer) override;
    toolkit::FontInfo Font() const override { return mFont; }
    void Font(const toolkit::FontInfo& font) override { mFont = font; }
    toolkit::Color ForeColor() const override { return mForeColor; }
    void ForeColor(toolkit::Color color) override { mForeColor = color; }
    toolkit::Color BackColor() const override { return mBackColor; }
    void BackColor(toolkit::Color color) override;
    void ClientSize(const toolkit::Size& size) override;
    void Icon(int32_t lngResourceId) override;
    void CancelButton(toolkit::Button* objButton) override;

    toolkit::Label& AddLabel(std::wstring_view strName, toolkit::Container* objParent = nullptr,
                             int16_t intIndex = -1) override;
    toolkit::Button& AddButton(std::wstring_view strName, toolkit::Container* objParent = nullptr) override;
    toolkit::ListBox& AddListBox(std::wstring_view strName, toolkit::Container* objParent = nullptr) override;
    toolkit::PictureBox& AddPictureBox(std::wstring_view strName, toolkit::Container* objParent = nullptr) override;
    toolkit::CheckBoxArray& AddCheckBoxArray(std::wstring_view strName, toolkit::Container* objParent = nullptr) override;
    toolkit::Timer& AddTimer(std::wstring_view strName) override;

    void Show() override;
    bool Loaded() const override { return mHwnd != nullptr; }
    bool Unload(toolkit::UnloadMode mode = toolkit::UnloadMode::Code) override;

    // For the controls.
    HWND Handle() const { return mHwnd; }
    Win32Toolkit& Toolkit() const { return mToolkit; }
    UINT Dpi() const { return mDpi; }
    int Pixels(toolkit::Twips twips) const;
    toolkit::Twips Twips(int lngPixels) const;
    HWND ContainerHandle(const toolkit::Container& objContainer) const;
    HFONT FontHandle(const toolkit::FontInfo& font);
    HBRUSH Brush(toolkit::Color color);
    static COLORREF Resolve(toolkit::Color color);
    int NextControlId() { return mNextId++; }
    void Adopt(Win32ControlBase& objControl);
    void Forget(Win32ControlBase& objControl);
    void SetToolTip(HWND hwndTool, const std::wstring& strText);
    // Reorders the children of hwndParent that have a tab position by it.
    void SortTabOrder(HWND hwndParent);
    // Paints what lies under a transparent control: the container's
    // background and picture, rcArea in the container's client pixels.
    void PaintContainerBackground(HDC hdc, const toolkit::Container& objContainer, const RECT& rcArea);
    // The pointer the mouse shows over hwnd.
    HCURSOR CursorFor(HWND hwnd) const;
    // Shows the current pointer now when the mouse is over the window.
    void RefreshCursor() const;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void ApplyClientSize();
    void ApplyIcon();
    void ReleaseFonts();

    Win32Toolkit& mToolkit;
    std::wstring mName;
    HWND mHwnd = nullptr;
    HWND mToolTips = nullptr;
    HWND mLastFocus = nullptr;
    UINT mDpi = 96;
    std::wstring mCaption;
    toolkit::MousePointer mPointer = toolkit::MousePointer::Default;
    toolkit::FontInfo mFont;
    toolkit::Color mForeColor = toolkit::kColorWindowText;
    toolkit::Color mBackColor = toolkit::kColorButtonFace;
    toolkit::Size mClientSize{7815, 5265};
    int32_t mIcon = 0;
    HICON mIcons[2] = {nullptr, nullptr};
    Win32Button* mCancel = nullptr;
    int mNextId = 1000;

    std::vector<std::unique_ptr<Win32ControlBase>> mControls;
    std::vector<std::unique_ptr<Win32CheckBoxArray>> mArrays;
    std::vector<std::unique_ptr<Win32Timer>> mTimers;
    // Every control with a window, checkbox elements included.
    std::vector<Win32ControlBase*> mLive;
    std::map<std::wstring, HFONT> mFonts;
    std::map<toolkit::Color, HBRUSH> mBrushes;
};

}  // namespace ui::win32
