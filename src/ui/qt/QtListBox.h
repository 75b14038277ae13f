#pragma once
// The result list on a QListWidget: lines with a 32-bit datum each, the
// mouse and key events the list box extension listens to, and the line
// nearest to a point with whether the point lies outside the lines.

#include <QListWidget>

#include "ui/qt/QtControl.h"
#include "ui/toolkit/ListBox.h"

namespace ui::qt {

class QtListBox final : public QtControl<toolkit::ListBox> {
public:
    QtListBox(QtWindow& objWindow, std::wstring strName, toolkit::Container& objParent);

    int32_t ListCount() const override;
    void AddItem(std::wstring_view strText, int32_t lngIndex = -1) override;
    void RemoveItem(int32_t lngIndex) override;
    void Clear() override;
    std::wstring List(int32_t lngIndex) const override;
    int32_t ItemData(int32_t lngIndex) const override;
    void ItemData(int32_t lngIndex, int32_t lngData) override;
    int32_t ListIndex() const override;
    void ListIndex(int32_t lngIndex) override;
    toolkit::ListHit ItemFromPoint(toolkit::Twips x, toolkit::Twips y) const override;

    QListWidget* ListWidget() const { return static_cast<QListWidget*>(Widget()); }
    bool TakesFocus() const override { return true; }

protected:
    void ApplyColors() override;
    void ApplyPointer() override;
    bool eventFilter(QObject* objWatched, QEvent* objEvent) override;

private:
    toolkit::Twips ToTwips(int32_t lngPixels) const;
};

}  // namespace ui::qt
