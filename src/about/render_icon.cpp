// Draws the program's vector picture at the sizes window frames and task bars use, once, at
// build time: the program then shows its window without drawing vectors. Each size is written
// twice: as its bare pixels (RGBA, 8 bits a channel, premultiplied, row after row), which the
// program takes as they are, and as a PNG file for everything else.
//
//   render_icon PICTURE.svg FOLDER SIDE...   writes FOLDER/kalverin-SIDE.rgba and .png for each

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PICTURE.svg FOLDER SIDE...\n", argv[0]);
        return 2;
    }
    // The renderer needs no screen: the headless platform is enough.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s is no picture that can be drawn\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        if (side <= 0) {
            std::fprintf(stderr, "%s is no size\n", argv[i]);
            return 2;
        }
        QImage image(side, side, QImage::Format_RGBA8888_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString path =
            QString::fromLocal8Bit(argv[2]) + QStringLiteral("/kalverin-%1").arg(side);
        QFile pixels(path + QStringLiteral(".rgba"));
        const auto size = static_cast<qint64>(image.sizeInBytes());
        if (!pixels.open(QIODevice::WriteOnly) ||
            pixels.write(reinterpret_cast<const char*>(image.constBits()), size) != size ||
            !image.save(path + QStringLiteral(".png"), "PNG")) {
            std::fprintf(stderr, "%s could not be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
