#include "ui/qt/QtConvert.h"

#include <QFontDatabase>
#include <QTextDocument>

namespace ui::qt {

QString ToQString(std::wstring_view strText) {
    return QString::fromWCharArray(strText.data(), static_cast<qsizetype>(strText.size()));
}

std::wstring FromQString(const QString& strText) {
    return strText.toStdWString();
}

QColor ToQColor(toolkit::Color color, const QPalette& palette) {
    if (!toolkit::IsSystemColor(color)) {
        return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF));
    }
    // The classic system colour indexes, mapped to the desktop palette's roles.
    switch (color & 0xFF) {
        case 5:  // window background
            return palette.color(QPalette::Base);
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 15:  // button face
            return palette.color(QPalette::Window);
        case 16:  // button shadow
            return palette.color(QPalette::Dark);
        case 18:  // button text
            return palette.color(QPalette::ButtonText);
        case 20:  // 3D highlight
            return palette.color(QPalette::Light);
        case 21:  // 3D dark shadow
            return palette.color(QPalette::Shadow);
        case 13:  // highlight
            return palette.color(QPalette::Highlight);
        case 14:  // highlight text
            return palette.color(QPalette::HighlightedText);
        case 17:  // grey text
            return palette.color(QPalette::Disabled, QPalette::Text);
        default:
            return palette.color(QPalette::WindowText);
    }
}

QString ResolvedFamily(const std::wstring& strFamily) {
    const QString family = ToQString(strFamily);
    if (!family.isEmpty() && QFontDatabase::hasFamily(family)) return family;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont ToQFont(const toolkit::FontInfo& font) {
    QFont result(ResolvedFamily(font.Name));
    result.setPointSizeF(font.Size > 0 ? font.Size : 9.75);
    result.setWeight(font.Bold() ? QFont::Bold : QFont::Normal);
    result.setItalic(font.Italic);
    result.setUnderline(font.Underline);
    result.setStrikeOut(font.Strikethrough);
    return result;
}

QRect ToPixels(const toolkit::Rect& rect, int32_t lngDpi) {
    const int32_t left = toolkit::PixelsFromTwips(rect.Left, lngDpi);
    const int32_t top = toolkit::PixelsFromTwips(rect.Top, lngDpi);
    // Edges rounded, not sizes: neighbours stay flush.
    const int32_t right = toolkit::PixelsFromTwips(rect.Left + rect.Width, lngDpi);
    const int32_t bottom = toolkit::PixelsFromTwips(rect.Top + rect.Height, lngDpi);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

QString PlainToolTip(std::wstring_view strText) {
    const QString text = ToQString(strText);
    if (!Qt::mightBeRichText(text)) return text;
    return Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap);
}

}  // namespace ui::qt
