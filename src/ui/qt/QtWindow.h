#pragma once
// A top-level window on a plain QWidget, and the owner of its controls.
// Geometry is laid out in device-independent pixels at a layout resolution
// of 96 dots per inch (Qt scales for the screen); when a caption does not
// fit with the fonts at hand, the layout resolution goes up a little, which
// grows the whole window evenly instead of cutting the caption.

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/toolkit/Window.h"

namespace ui::qt {

class QtToolkit;
class QtControlBase;
class QtButton;
class QtCheckBox;
class QtCheckBoxArray;
class QtTimer;

class QtWindow final : public QObject, public toolkit::Window {
public:
    QtWindow(QtToolkit& objToolkit, std::wstring strName);
    ~QtWindow() override;

    const std::wstring& Name() const override { return mName; }
    toolkit::Size InnerSize() const override { return mClientSize; }
    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    toolkit::MousePointer Pointer() const override { return mPointer; }
    void Pointer(toolkit::MousePointer pointer) override;
    toolkit::FontInfo Font() const override { return mFont; }
    void Font(const toolkit::FontInfo& font) override { mFont = font; }
    toolkit::Color ForeColor() const override { return mForeColor; }
    void ForeColor(toolkit::Color color) override;
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
    bool Loaded() const override { return mLoaded; }
    bool Unload(toolkit::UnloadMode mode = toolkit::UnloadMode::Code) override;

    // The top-level widget.
    QWidget* Widget() const { return mWidget; }
    // The resolution twips are laid out at (96 unless captions needed room).
    int32_t LayoutDpi() const { return mLayoutDpi; }

    // For the controls.
    QWidget* ClientWidget(toolkit::Container* objParent) const;
    QtCheckBox& MakeCheckBox(const std::wstring& strName, int16_t intIndex, toolkit::Container& objParent);
    void DestroyControl(QtControlBase* objControl);
    void AddToTabOrder(QtControlBase* objControl);
    void MoveInTabOrder(QtControlBase* objControl, int16_t intTabIndex);
    // A caption or font changed: once shown, the window grows if it must.
    void CaptionChanged();

protected:
    bool eventFilter(QObject* objWatched, QEvent* objEvent) override;

private:
    template <class T, class... Args>
    T& Make(Args&&... args);
    toolkit::Container& ParentOrSelf(toolkit::Container* objParent) { return objParent ? *objParent : *this; }
    void ApplyTabOrder();
    void ApplyColors();
    void Relayout();
    void FitCaptions();

    QtToolkit& mToolkit;
    std::wstring mName;
    QPointer<QWidget> mWidget;
    std::wstring mCaption;
    toolkit::MousePointer mPointer = toolkit::MousePointer::Default;
    toolkit::FontInfo mFont;
    toolkit::Color mForeColor = toolkit::kColorWindowText;
    toolkit::Color mBackColor = toolkit::kColorButtonFace;
    toolkit::Size mClientSize;
    int32_t mLayoutDpi = 96;
    QtButton* mCancel = nullptr;
    bool mLoaded = true;
    bool mShown = false;

    std::vector<std::unique_ptr<QtControlBase>> mControls;
    std::vector<QtControlBase*> mTabOrder;
    std::vector<std::unique_ptr<QtCheckBoxArray>> mArrays;
    std::vector<std::unique_ptr<QtTimer>> mTimers;
};

}  // namespace ui::qt
