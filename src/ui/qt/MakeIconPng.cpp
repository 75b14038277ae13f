// Build step: the program icon as the PNG that desktop menus show, taken
// from the same icon file the window uses. Usage: make_icon_png ICON PNG

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON PNG\n", argv[0]);
        return 2;
    }
    // The largest image of the icon file.
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    QImage best;
    do {
        const QImage image = reader.read();
        if (!image.isNull() && image.width() > best.width()) best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull() || !best.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "%s: cannot make %s from %s\n", argv[0], argv[2], argv[1]);
        return 1;
    }
    return 0;
}
