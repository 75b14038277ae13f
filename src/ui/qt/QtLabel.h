#pragma once
// A static text on a QLabel. A label one line high keeps its caption on one
// line and widens itself (within its container) rather than cut it; a
// taller one wraps at word boundaries. Text is always plain: descriptions
// and links come from the knowledge base and are shown, never interpreted.

#include <QLabel>

#include "ui/qt/QtControl.h"
#include "ui/toolkit/Label.h"

namespace ui::qt {

class QtLabel final : public QtControl<toolkit::Label> {
public:
    QtLabel(QtWindow& objWindow, std::wstring strName, int16_t intIndex, toolkit::Container& objParent);

    std::wstring Caption() const override { return mCaption; }
    void Caption(std::wstring_view strCaption) override;
    void Transparent(bool blnTransparent) override;

    QLabel* LabelWidget() const { return static_cast<QLabel*>(Widget()); }

protected:
    QRect LayoutRect() const override;
    void ApplyColors() override;
    bool eventFilter(QObject* objWatched, QEvent* objEvent) override;

private:
    bool SingleLine(const QRect& rect) const;

    std::wstring mCaption;
    bool mTransparent = false;
};

}  // namespace ui::qt
