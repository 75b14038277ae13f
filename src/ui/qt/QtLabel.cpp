#include "ui/qt/QtLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>
#include <climits>

#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

QtLabel::QtLabel(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent)
    : QtControl(objWindow, std::move(strName), intIndex, objParent) {
    auto* label = new QLabel(ParentWidget());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->installEventFilter(this);
    // A label is drawn on its container's surface, under the controls that
    // share it (the version label's edge goes under the result frame's).
    for (QObject* sibling : label->parentWidget()->children()) {
        auto* widget = qobject_cast<QWidget*>(sibling);
        if (widget != nullptr && widget != label && qobject_cast<QLabel*>(widget) == nullptr) {
            label->stackUnder(widget);
            break;
        }
    }
    Attach(label);
}

void QtLabel::Caption(std::wstring_view strCaption) {
    mCaption = strCaption;
    // Line breaks arrive as CR LF; a lone CR would show as a box.
    QString text = ToQString(strCaption);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    LabelWidget()->setText(text);
    ApplyGeometry();
    mWindow.CaptionChanged();
}

void QtLabel::Transparent(bool blnTransparent) {
    mTransparent = blnTransparent;
    ApplyColors();
}

void QtLabel::ApplyColors() {
    QtControlBase::ApplyColors();
    if (Widget() != nullptr) Widget()->setAutoFillBackground(!mTransparent);
}

bool QtLabel::SingleLine(const QRect& rect) const {
    const QFontMetrics metrics(Widget()->font());
    return rect.height() < 2 * metrics.lineSpacing();
}

QRect QtLabel::LayoutRect() const {
    QRect rect = QtControlBase::LayoutRect();
    QLabel* label = LabelWidget();
    if (label == nullptr) return rect;
    const bool single = SingleLine(rect);
    label->setWordWrap(!single);
    if (!single || label->text().isEmpty()) return rect;

    const QFontMetrics metrics(label->font());
    // The bounding box covers an italic's overhang, the advance a trailing blank.
    const QString text = label->text();
    const int need = std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1) + 2;
    const QWidget* parent = label->parentWidget();
    const int room = parent != nullptr && parent->width() > 0 ? parent->width() : INT_MAX;
    if (need > rect.width()) {
        // A label in the right half of its container keeps its right edge.
        if (parent != nullptr && rect.center().x() > room / 2 && room != INT_MAX) {
            rect.setLeft(std::max(0, rect.right() + 1 - need));
        } else {
            rect.setWidth(need);
            if (rect.right() >= room) rect.moveLeft(std::max(0, room - rect.width()));
        }
    }
    if (metrics.height() > rect.height()) rect.setHeight(metrics.height());
    return rect;
}

bool QtLabel::eventFilter(QObject* objWatched, QEvent* objEvent) {
    if (objWatched == Widget() && objEvent->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(objEvent);
        if (mouse->button() == Qt::LeftButton && Widget()->rect().contains(mouse->position().toPoint()) && OnClick) {
            OnClick();
        }
    }
    return false;
}

}  // namespace ui::qt
