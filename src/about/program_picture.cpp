#include "about/program_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kalverin {

QPixmap ProgramPicture(int side, qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/about/kalverin.svg"));
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
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(ProgramPicture(side, 1.0));
    }
    return icon;
}

}  // namespace kalverin
