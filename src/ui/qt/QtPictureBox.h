#pragma once
// A picture box: a frame (its border) around a client area that holds the
// child controls and shows the picture at its top left. Children are
// clipped to the client area, so a child placed partly outside it (the
// result list with its border pushed under the frame's) shows only inside.

#include <QFrame>
#include <QPixmap>

#include "ui/qt/QtControl.h"
#include "ui/toolkit/PictureBox.h"

namespace ui::qt {

class QtPictureBox final : public QtControl<toolkit::PictureBox> {
public:
    QtPictureBox(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent);

    toolkit::Size InnerSize() const override;
    void Picture(std::wstring_view strResourceName) override;

    // Where children go.
    QWidget* Client() const { return mClient; }
    void ApplyGeometry() override;

protected:
    void AppearanceChanged() override;
    void ApplyColors() override;
    bool eventFilter(QObject* objWatched, QEvent* objEvent) override;

private:
    int32_t BorderPixels() const;

    QPointer<QWidget> mClient;
    QPixmap mPicture;
};

}  // namespace ui::qt
