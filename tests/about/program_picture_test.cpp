#include "about/program_picture.h"

#include <gtest/gtest.h>

#include <QImage>

namespace kalverin {
namespace {

bool HasVisiblePixel(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

TEST(ProgramIconTest, OffersTheFrameSizesDrawsEverySizeAndKeepsEachDrawing) {
    const QIcon icon = ProgramIcon();
    const QList<QSize> offered = {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    EXPECT_EQ(icon.availableSizes(), offered);
    // The sizes drawn at build time, and larger ones drawn from the vectors.
    for (const QSize& size : offered + QList<QSize>{{128, 128}, {256, 256}}) {
        const QPixmap pixmap = icon.pixmap(size);
        EXPECT_EQ(pixmap.size(), size) << size.width();
        EXPECT_TRUE(HasVisiblePixel(pixmap)) << size.width();
        EXPECT_EQ(icon.pixmap(size).cacheKey(), pixmap.cacheKey()) << size.width();
    }
}

}  // namespace
}  // namespace kalverin
