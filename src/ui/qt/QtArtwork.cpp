#include "ui/qt/QtArtwork.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace ui::qt {

namespace {

QString PicturePath(std::wstring_view strName) {
    if (strName == L"BANNER") return QStringLiteral(":/artwork/banner.bmp");
    return {};
}

}  // namespace

QPixmap ArtworkPicture(std::wstring_view strName) {
    const QString path = PicturePath(strName);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

QIcon ArtworkIcon(int32_t lngResourceId) {
    if (lngResourceId != 30001) return {};
    return QIcon(QStringLiteral(":/artwork/Quorvex.ico"));
}

std::optional<QCursor> ArtworkCursor(std::wstring_view strName) {
    if (strName != L"HAND") return std::nullopt;
    // The image is kept, not the cursor: a cursor must not outlive the
    // application object, and the program may make more than one.
    struct Shape {
        QImage Image;
        int HotX = 0;
        int HotY = 0;
    };
    static const std::optional<Shape> hand = []() -> std::optional<Shape> {
        QFile file(QStringLiteral(":/artwork/hand.cur"));
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
        const QByteArray bytes = file.readAll();
        // A cursor file is an icon file whose first directory entry keeps the
        // hot spot where an icon keeps its planes and bit count.
        if (bytes.size() < 22) return std::nullopt;
        const auto word = [&](int at) {
            return static_cast<int>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
        };
        if (word(0) != 0 || word(2) != 2 || word(4) < 1) return std::nullopt;
        const int hotX = word(10);
        const int hotY = word(12);
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "cur");
        QImage image = reader.read();
        if (image.isNull()) {
            // Readers that know icons only: the same file marked as an icon.
            data[2] = 1;
            buffer.seek(0);
            QImageReader asIcon(&buffer, "ico");
            image = asIcon.read();
        }
        if (image.isNull()) return std::nullopt;
        return Shape{image, hotX, hotY};
    }();
    if (!hand) return std::nullopt;
    return QCursor(QPixmap::fromImage(hand->Image), hand->HotX, hand->HotY);
}

}  // namespace ui::qt
