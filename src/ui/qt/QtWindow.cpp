#include "ui/qt/QtWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "ui/qt/QtArtwork.h"
#include "ui/qt/QtButton.h"
#include "ui/qt/QtCheckBox.h"
#include "ui/qt/QtCheckBoxArray.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtLabel.h"
#include "ui/qt/QtListBox.h"
#include "ui/qt/QtPictureBox.h"
#include "ui/qt/QtTimer.h"
#include "ui/qt/QtToolkit.h"

namespace ui::qt {

namespace {

// How far the layout may grow for captions: half again its size.
constexpr int32_t kLargestLayoutDpi = 144;

}  // namespace

QtWindow::QtWindow(QtToolkit& objToolkit, std::wstring strName) : mToolkit(objToolkit), mName(std::move(strName)) {
    mWidget = new QWidget(nullptr, Qt::Window);
    mWidget->setObjectName(ToQString(mName));
    mWidget->setAutoFillBackground(true);
    mWidget->installEventFilter(this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), mWidget);
    QObject::connect(escape, &QShortcut::activated, this, [this] {
        if (mCancel != nullptr) mCancel->Press();
    });
    ApplyColors();
}

QtWindow::~QtWindow() {
    for (auto& timer : mTimers) timer->Stop();
    // The controls go first: they watch their widgets' events, which a
    // widget half torn down must not reach. Their widgets go with the window.
    mArrays.clear();
    mTabOrder.clear();
    mControls.clear();
    if (mWidget) {
        mWidget->removeEventFilter(this);
        delete mWidget.data();
    }
}

template <class T, class... Args>
T& QtWindow::Make(Args&&... args) {
    auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T& made = *control;
    mControls.push_back(std::move(control));
    return made;
}

QWidget* QtWindow::ClientWidget(toolkit::Container* objParent) const {
    if (auto* picture = dynamic_cast<QtPictureBox*>(objParent)) return picture->Client();
    return mWidget;
}

void QtWindow::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    mWidget->setWindowTitle(ToQString(strCaption));
}

void QtWindow::Pointer(toolkit::MousePointer pointer) {
    mPointer = pointer;
    if (pointer == toolkit::MousePointer::Hourglass) {
        mWidget->setCursor(Qt::WaitCursor);
    } else if (pointer == toolkit::MousePointer::Default) {
        mWidget->unsetCursor();
    } else {
        mWidget->setCursor(Qt::ArrowCursor);
    }
}

void QtWindow::ForeColor(toolkit::Color color) {
    mForeColor = color;
    ApplyColors();
}

void QtWindow::BackColor(toolkit::Color color) {
    mBackColor = color;
    ApplyColors();
}

void QtWindow::ApplyColors() {
    const QPalette system = QApplication::palette();
    QPalette palette = mWidget->palette();
    palette.setColor(QPalette::Window, ToQColor(mBackColor, system));
    palette.setColor(QPalette::WindowText, ToQColor(mForeColor, system));
    mWidget->setPalette(palette);
}

void QtWindow::ClientSize(const toolkit::Size& size) {
    mClientSize = size;
    mWidget->setFixedSize(ToPixels(toolkit::Rect{0, 0, size.Width, size.Height}, mLayoutDpi).size());
}

void QtWindow::Icon(int32_t lngResourceId) {
    mWidget->setWindowIcon(ArtworkIcon(lngResourceId));
}

void QtWindow::CancelButton(toolkit::Button* objButton) {
    mCancel = dynamic_cast<QtButton*>(objButton);
}

toolkit::Label& QtWindow::AddLabel(std::wstring_view strName, toolkit::Container* objParent, int16_t intIndex) {
    return Make<QtLabel>(std::wstring(strName), intIndex, ParentOrSelf(objParent));
}

toolkit::Button& QtWindow::AddButton(std::wstring_view strName, toolkit::Container* objParent) {
    return Make<QtButton>(std::wstring(strName), ParentOrSelf(objParent));
}

toolkit::ListBox& QtWindow::AddListBox(std::wstring_view strName, toolkit::Container* objParent) {
    return Make<QtListBox>(std::wstring(strName), ParentOrSelf(objParent));
}

toolkit::PictureBox& QtWindow::AddPictureBox(std::wstring_view strName, toolkit::Container* objParent) {
    return Make<QtPictureBox>(std::wstring(strName), ParentOrSelf(objParent));
}

toolkit::CheckBoxArray& QtWindow::AddCheckBoxArray(std::wstring_view strName, toolkit::Container* objParent) {
    mArrays.push_back(std::make_unique<QtCheckBoxArray>(*this, std::wstring(strName), ParentOrSelf(objParent)));
    return *mArrays.back();
}

toolkit::Timer& QtWindow::AddTimer(std::wstring_view strName) {
    mTimers.push_back(std::make_unique<QtTimer>(std::wstring(strName)));
    return *mTimers.back();
}

QtCheckBox& QtWindow::MakeCheckBox(const std::wstring& strName, int16_t intIndex, toolkit::Container& objParent) {
    return Make<QtCheckBox>(strName, intIndex, objParent);
}

void QtWindow::DestroyControl(QtControlBase* objControl) {
    std::erase(mTabOrder, objControl);
    const auto found = std::find_if(mControls.begin(), mControls.end(),
                                    [&](const std::unique_ptr<QtControlBase>& control) { return control.get() == objControl; });
    if (found == mControls.end()) return;
    delete objControl->Widget();
    mControls.erase(found);
}

void QtWindow::AddToTabOrder(QtControlBase* objControl) {
    mTabOrder.push_back(objControl);
}

void QtWindow::MoveInTabOrder(QtControlBase* objControl, int16_t intTabIndex) {
    // A control given a position pushes the ones from there on back by one.
    std::erase(mTabOrder, objControl);
    const auto at = static_cast<std::size_t>(std::clamp<int>(intTabIndex, 0, static_cast<int>(mTabOrder.size())));
    mTabOrder.insert(mTabOrder.begin() + static_cast<std::ptrdiff_t>(at), objControl);
    ApplyTabOrder();
}

void QtWindow::ApplyTabOrder() {
    QWidget* previous = nullptr;
    for (QtControlBase* control : mTabOrder) {
        if (!control->TakesFocus() || control->Widget() == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, control->Widget());
        previous = control->Widget();
    }
}

void QtWindow::Relayout() {
    ClientSize(mClientSize);
    // Containers were made before what they hold, so they are placed first.
    for (auto& control : mControls) control->ApplyGeometry();
}

void QtWindow::FitCaptions() {
    for (int round = 0; round < 4; ++round) {
        double need = 1.0;
        for (auto& control : mControls) need = std::max(need, control->CaptionFit());
        if (need <= 1.0 || mLayoutDpi >= kLargestLayoutDpi) return;
        mLayoutDpi = std::min(kLargestLayoutDpi, static_cast<int32_t>(std::ceil(mLayoutDpi * need)));
        Relayout();
    }
}

void QtWindow::CaptionChanged() {
    if (mShown) FitCaptions();
}

void QtWindow::Show() {
    if (!mLoaded) return;
    FitCaptions();
    ApplyTabOrder();
    mShown = true;
    mWidget->show();
    mWidget->raise();
    mWidget->activateWindow();
}

bool QtWindow::Unload(toolkit::UnloadMode mode) {
    if (!mLoaded) return true;
    bool blnCancel = false;
    if (OnQueryUnload) OnQueryUnload(blnCancel, mode);
    if (blnCancel) return false;
    mLoaded = false;
    for (auto& timer : mTimers) timer->Stop();
    mWidget->hide();
    if (OnUnload) OnUnload();
    mToolkit.WindowUnloaded();
    return true;
}

bool QtWindow::eventFilter(QObject* objWatched, QEvent* objEvent) {
    if (objWatched != mWidget || objEvent->type() != QEvent::Close) return false;
    // The close box, Alt+F4, the window menu: asked like any other unload.
    if (mLoaded && !Unload(toolkit::UnloadMode::CloseBox)) objEvent->ignore();
    return true;
}

}  // namespace ui::qt
