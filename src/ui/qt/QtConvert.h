#pragma once
// Conversions between the seam's values and Qt's: text, colours, fonts,
// geometry and pointers.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>

#include "ui/toolkit/Types.h"

namespace ui::qt {

QString ToQString(std::wstring_view strText);
std::wstring FromQString(const QString& strText);

// A seam colour (0x00BBGGRR or a system colour) in the given palette.
QColor ToQColor(toolkit::Color color, const QPalette& palette);

// The font as asked for; a family that is not installed is replaced by the
// desktop's general font at the same size.
QFont ToQFont(const toolkit::FontInfo& font);
// The family ToQFont uses for a family name.
QString ResolvedFamily(const std::wstring& strFamily);

// Twips to device-independent pixels at the layout's resolution.
QRect ToPixels(const toolkit::Rect& rect, int32_t lngDpi);

// Tool tips are plain text even when they look like markup (a link from the
// knowledge base is shown, never interpreted).
QString PlainToolTip(std::wstring_view strText);

}  // namespace ui::qt
