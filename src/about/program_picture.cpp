#include "about/program_picture.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace kalverin {
namespace {

const QString kPictureFile = QStringLiteral(":/about/kalverin.svg");

// The sizes drawn at build time: those window frames and task bars ask for.
constexpr int kDrawnSides[] = {KALVERIN_ICON_SIDES};

// The picture drawn from its vectors at `pixels`, stretched to it.
QPixmap DrawPicture(QSize pixels) {
    QSvgRenderer renderer(kPictureFile);
    if (!renderer.isValid() || pixels.isEmpty()) {
        return {};
    }
    QPixmap picture(pixels);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

// The icon's pictures, each read or drawn at its first request and kept: an X11 window asks
// for every size when it is made and again when its icon is set.
class IconPictures {
  public:
    QPixmap At(QSize size) {
        for (const auto& [keptSize, picture] : kept_) {
            if (keptSize == size) {
                return picture;
            }
        }
        QPixmap picture = Read(size);
        kept_.emplace_back(size, picture);
        return picture;
    }

  private:
    static QPixmap Read(QSize size) {
        const int side = size.width();
        if (size.height() == side && std::find(std::begin(kDrawnSides), std::end(kDrawnSides),
                                               side) != std::end(kDrawnSides)) {
            // The pixels as drawn at build time, read in place: no decoding.
            const QResource pixels(QStringLiteral(":/about/kalverin-%1.rgba").arg(side));
            if (pixels.compressionAlgorithm() == QResource::NoCompression &&
                pixels.size() == qint64{side} * side * 4) {
                return QPixmap::fromImage(QImage(pixels.data(), side, side, side * 4,
                                                 QImage::Format_RGBA8888_Premultiplied));
            }
        }
        return DrawPicture(size);
    }

    std::vector<std::pair<QSize, QPixmap>> kept_;
};

class ProgramIconEngine final : public QIconEngine {
  public:
    explicit ProgramIconEngine(std::shared_ptr<IconPictures> pictures)
        : pictures_(std::move(pictures)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return pictures_->At(size);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pictures_->At(rect.size() * scale));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : kDrawnSides) {
            sizes << QSize(side, side);
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(pictures_); }

  private:
    std::shared_ptr<IconPictures> pictures_;
};

}  // namespace

QPixmap ProgramPicture(int side, qreal devicePixelRatio) {
    const int pixels = qRound(side * devicePixelRatio);
    QPixmap picture = DrawPicture(QSize(pixels, pixels));
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine(std::make_shared<IconPictures>()));
}

}  // namespace kalverin
