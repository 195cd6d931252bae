// A window image drawn at a whole factor: each pixel an exact block, beside it nothing touched.
#include <gtest/gtest.h>

#include <QPainter>

#include "host/qt/zoomed_image.h"

namespace {

// Factors 2 to 4 have loops of their own, 5 the general one; 7 pixels a row leave a remainder
// after each group of four.
TEST(ZoomedImage, EveryPixelBecomesAnExactBlock) {
    QImage image(7, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) image.setPixel(x, y, 0xFF000000u | static_cast<uint32_t>(y * 7 + x) * 0x030507u);
    constexpr QRgb untouched = 0xFF123456u;
    for (const int factor : {1, 2, 3, 4, 5}) {
        const QRect target(2, 1, 7 * factor, 3 * factor);
        // The whole view painted, then a part that reaches into image pixels (3, 1) and (4, 1).
        for (const bool whole : {true, false}) {
            QImage canvas(7 * factor + 10, 3 * factor + 10, QImage::Format_RGB32);
            canvas.fill(untouched);
            {
                QPainter painter(&canvas);
                painter.translate(3, 4);  // as a view inside its window
                drawzoomed(painter, target, image, whole ? target : QRect(2 + 3 * factor, 1 + factor, factor + 1, 1));
            }
            int wrong = 0;
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x) {
                    const int ix = (x - 5) / factor, iy = (y - 5) / factor;
                    const bool inside = x >= 5 && y >= 5 && x < 5 + 7 * factor && y < 5 + 3 * factor &&
                                        (whole || ((ix == 3 || ix == 4) && iy == 1));
                    wrong += canvas.pixel(x, y) != (inside ? image.pixel(ix, iy) : untouched);
                }
            EXPECT_EQ(wrong, 0) << "factor " << factor << (whole ? ", whole" : ", part");
            if (whole) {
                EXPECT_EQ(zoomedimage(image, factor), canvas.copy(5, 5, 7 * factor, 3 * factor)) << "factor " << factor;
            }
        }
    }
    EXPECT_EQ(wholefactor(QSize(21, 9), QSize(7, 3)), 3);
    EXPECT_EQ(wholefactor(QSize(21, 10), QSize(7, 3)), 0);  // stretched, not zoomed
}

}  // namespace
