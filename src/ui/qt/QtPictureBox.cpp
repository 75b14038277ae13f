#include "ui/qt/QtPictureBox.h"

#include <QApplication>
#include <QPainter>

#include "ui/qt/QtArtwork.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtPictureBox::QtPictureBox(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent)
    : QtControl(objWindow, std::move(strName), -1, objParent) {
    auto* frame = new QFrame(ParentWidget());
    frame->setAutoFillBackground(true);
    mClient = new QWidget(frame);
    mClient->setAutoFillBackground(true);
    mClient->installEventFilter(this);
    Attach(frame);
    AppearanceChanged();
}

int32_t QtPictureBox::BorderPixels() const {
    if (!mBorder) return 0;
    return mAppearance == toolkit::Appearance::Flat ? 1 : 2;
}

toolkit::Size QtPictureBox::InnerSize() const {
    const toolkit::Twips border = toolkit::TwipsFromPixels(BorderPixels(), mWindow.LayoutDpi());
    return toolkit::Size{std::max<toolkit::Twips>(0, mBounds.Width - 2 * border),
                         std::max<toolkit::Twips>(0, mBounds.Height - 2 * border)};
}

void QtPictureBox::Picture(std::wstring_view strResourceName) {
    mPicture = ArtworkPicture(strResourceName);
    if (mClient) mClient->update();
}

void QtPictureBox::ApplyGeometry() {
    QtControlBase::ApplyGeometry();
    if (Widget() == nullptr || !mClient) return;
    const int32_t border = BorderPixels();
    const QRect outer = Widget()->rect();
    mClient->setGeometry(outer.adjusted(border, border, -border, -border));
}

void QtPictureBox::AppearanceChanged() {
    auto* frame = static_cast<QFrame*>(Widget());
    if (frame == nullptr) return;
    if (!mBorder) {
        frame->setFrameStyle(QFrame::NoFrame);
    } else if (mAppearance == toolkit::Appearance::Flat) {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
    } else {
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
    }
    ApplyColors();
    ApplyGeometry();
}

void QtPictureBox::ApplyColors() {
    QtControlBase::ApplyColors();
    if (Widget() == nullptr) return;
    // A flat border is drawn in the desktop's frame shade, not in the text colour.
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Dark));
    Widget()->setPalette(palette);
    if (mClient) {
        QPalette client = mClient->palette();
        client.setColor(QPalette::Window, ToQColor(mBackColor, QApplication::palette()));
        mClient->setPalette(client);
    }
}

bool QtPictureBox::eventFilter(QObject* objWatched, QEvent* objEvent) {
    if (objWatched == mClient && objEvent->type() == QEvent::Paint && !mPicture.isNull()) {
        QPainter painter(mClient);
        painter.drawPixmap(0, 0, mPicture);
    }
    return false;
}

}  // namespace ui::qt
