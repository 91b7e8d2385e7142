#include "about/program_picture.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace kalverin {
namespace {

const QString kPictureFile = QStringLiteral(":/about/kalverin.svg");

// Draws the picture only when a size of the icon is asked for: showing the window needs none,
// and many desktops never ask.
class ProgramIconEngine final : public QIconEngine {
  public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        QSvgRenderer renderer(kPictureFile);
        renderer.render(painter, rect);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 24, 32, 48, 64, 128, 256}) {
            sizes << QSize(side, side);
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
};

}  // namespace

QPixmap ProgramPicture(int side, qreal devicePixelRatio) {
    QSvgRenderer renderer(kPictureFile);
    if (!renderer.isValid()) {
        return {};
    }
    int pixels = qRound(side * devicePixelRatio);
    QPixmap picture(pixels, pixels);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    painter.end();
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine);
}

}  // namespace kalverin
