#include "ui/qt/QtListBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "base/VbError.h"
#include "ui/qt/QtConvert.h"
#include "ui/qt/QtWindow.h"

namespace ui::qt {

namespace {

constexpr int kDataRole = Qt::UserRole;

int16_t ButtonCode(Qt::MouseButtons buttons) {
    int16_t code = 0;
    if (buttons & Qt::LeftButton) code |= toolkit::kLeftButton;
    if (buttons & Qt::RightButton) code |= toolkit::kRightButton;
    if (buttons & Qt::MiddleButton) code |= 4;
    return code;
}

int16_t ShiftCode(Qt::KeyboardModifiers modifiers) {
    int16_t code = 0;
    if (modifiers & Qt::ShiftModifier) code |= 1;
    if (modifiers & Qt::ControlModifier) code |= 2;
    if (modifiers & Qt::AltModifier) code |= 4;
    return code;
}

// The classic key codes of the keys the program looks at; letters and
// digits are their upper-case character.
int16_t KeyCode(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return toolkit::kKeyReturn;
        case Qt::Key_Space:
            return toolkit::kKeySpace;
        case Qt::Key_Escape:
            return toolkit::kKeyEscape;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Down:
            return 40;
        default:
            return (key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)
                       ? static_cast<int16_t>(key)
                       : int16_t{0};
    }
}

}  // namespace

QtListBox::QtListBox(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent)
    : QtControl(objWindow, std::move(strName), -1, objParent) {
    auto* list = new QListWidget(ParentWidget());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    // A one-pixel border: its sides lie under the frame's border, its top
    // and bottom rule the list off from the header and the footer.
    list->setFrameStyle(QFrame::Box | QFrame::Plain);
    list->setLineWidth(1);
    list->viewport()->setMouseTracking(true);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this] {
        if (OnClick) OnClick();
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, this, [this] {
        if (OnDblClick) OnDblClick();
    });
    Attach(list);
}

toolkit::Twips QtListBox::ToTwips(int32_t lngPixels) const {
    return toolkit::TwipsFromPixels(lngPixels, mWindow.LayoutDpi());
}

int32_t QtListBox::ListCount() const {
    return ListWidget()->count();
}

void QtListBox::AddItem(std::wstring_view strText, int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex > ListCount()) base::Raise(base::vbErrInvalidArgument);
    auto* item = new QListWidgetItem(ToQString(strText));
    item->setData(kDataRole, 0);
    ListWidget()->insertItem(lngIndex == -1 ? ListCount() : lngIndex, item);
}

void QtListBox::RemoveItem(int32_t lngIndex) {
    if (lngIndex < 0 || lngIndex >= ListCount()) base::Raise(base::vbErrInvalidArgument);
    delete ListWidget()->takeItem(lngIndex);
}

void QtListBox::Clear() {
    ListWidget()->clear();
}

std::wstring QtListBox::List(int32_t lngIndex) const {
    if (lngIndex < 0 || lngIndex >= ListCount()) return {};
    return FromQString(ListWidget()->item(lngIndex)->text());
}

int32_t QtListBox::ItemData(int32_t lngIndex) const {
    CheckIndex(lngIndex, ListCount());
    return ListWidget()->item(lngIndex)->data(kDataRole).toInt();
}

void QtListBox::ItemData(int32_t lngIndex, int32_t lngData) {
    CheckIndex(lngIndex, ListCount());
    ListWidget()->item(lngIndex)->setData(kDataRole, lngData);
}

int32_t QtListBox::ListIndex() const {
    const QList<QListWidgetItem*> selected = ListWidget()->selectedItems();
    return selected.isEmpty() ? -1 : ListWidget()->row(selected.front());
}

void QtListBox::ListIndex(int32_t lngIndex) {
    if (lngIndex < -1 || lngIndex >= ListCount()) base::Raise(380, {}, L"Invalid property value");
    if (lngIndex == -1) {
        ListWidget()->clearSelection();
    } else {
        ListWidget()->setCurrentRow(lngIndex, QItemSelectionModel::ClearAndSelect);
    }
}

toolkit::ListHit QtListBox::ItemFromPoint(toolkit::Twips x, toolkit::Twips y) const {
    const QWidget* viewport = ListWidget()->viewport();
    const QPoint point(toolkit::PixelsFromTwips(x, mWindow.LayoutDpi()), toolkit::PixelsFromTwips(y, mWindow.LayoutDpi()));
    toolkit::ListHit hit;
    hit.Outside = !viewport->rect().contains(point);
    if (ListCount() == 0) return hit;
    // The nearest line: the point is first brought into the client area.
    const QRect area = viewport->rect();
    const QPoint inside(std::clamp(point.x(), area.left(), std::max(area.left(), area.right())),
                        std::clamp(point.y(), area.top(), std::max(area.top(), area.bottom())));
    const QModelIndex index = ListWidget()->indexAt(inside);
    if (index.isValid()) {
        hit.Line = index.row();
    } else {
        // Below the last line: the last line, and the point counts as outside.
        hit.Line = ListCount() - 1;
        hit.Outside = true;
    }
    return hit;
}

void QtListBox::ApplyColors() {
    QtControlBase::ApplyColors();
    if (Widget() == nullptr) return;
    // The text colour (red after a run) is for the lines, not the border.
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Dark));
    Widget()->setPalette(palette);
}

void QtListBox::ApplyPointer() {
    QtControlBase::ApplyPointer();
    // The lines are drawn on the viewport, which has a cursor of its own.
    if (Widget() == nullptr) return;
    QWidget* viewport = ListWidget()->viewport();
    if (Widget()->testAttribute(Qt::WA_SetCursor)) {
        viewport->setCursor(Widget()->cursor());
    } else {
        viewport->unsetCursor();
    }
}

bool QtListBox::eventFilter(QObject* objWatched, QEvent* objEvent) {
    QListWidget* list = ListWidget();
    if (list == nullptr) return false;
    if (objWatched == list->viewport()) {
        if (objEvent->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(objEvent);
            const QPoint at = mouse->position().toPoint();
            if (OnMouseMove) OnMouseMove(ButtonCode(mouse->buttons()), ShiftCode(mouse->modifiers()), ToTwips(at.x()), ToTwips(at.y()));
        } else if (objEvent->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(objEvent);
            const QPoint at = mouse->position().toPoint();
            // The press has already selected the line.
            if (OnMouseUp) OnMouseUp(ButtonCode(mouse->button()), ShiftCode(mouse->modifiers()), ToTwips(at.x()), ToTwips(at.y()));
        }
        return false;
    }
    if (objWatched != list) return false;
    if (objEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(objEvent);
        // With no line selected an arrow selects the first one, not the one
        // after the line Qt made current when the list took the focus.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && list->selectedItems().isEmpty() && ListCount() > 0) {
            list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
            return true;
        }
        const QString text = key->text();
        // Typed characters: the handler may discard them (0), so that a
        // letter does not move the selection. Control keys go their way.
        if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() != 127 && OnKeyPress) {
            int16_t ascii = static_cast<int16_t>(text[0].unicode() < 0x8000 ? text[0].unicode() : 0);
            OnKeyPress(ascii);
            if (ascii == 0) return true;
        }
    } else if (objEvent->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(objEvent);
        if (!key->isAutoRepeat() && OnKeyUp) {
            int16_t code = KeyCode(key->key());
            OnKeyUp(code, ShiftCode(key->modifiers()));
        }
    }
    return false;
}

}  // namespace ui::qt
