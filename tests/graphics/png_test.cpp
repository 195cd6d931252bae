// Pictures from PNG files: transparency kept, bad files refused. What a window's PNG shows is
// checked with each depth's capture.
#include <gmock/gmock.h>

#include "capture_fixture.h"
#include "graphics/png_files.h"
#include "host/images.h"

using testing::HasSubstr;

TEST(PNG, TransparencyIsKeptAndBadPNGsAreRefused) {
    const uint32_t pixels[2] = {0x80102030, 0xFF405060};
    const t_Graphic argb = g_PNGToGraphic(host::encodepng(pixels, 2, 1, true));
    EXPECT_EQ(argb.Format, g_FormatARGBColor);
    EXPECT_EQ(argb.Data, (Bytes{0x80, 0x10, 0x20, 0x30, 0xFF, 0x40, 0x50, 0x60}));

    const Bytes good = host::encodepng(pixels, 2, 1, false);
    // A header announcing 60000 x 60000 pixels, with hardly any data behind it.
    const Bytes huge{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
                     0x00, 0x00, 0xEA, 0x60, 0x00, 0x00, 0xEA, 0x60, 0x08, 0x06, 0x00, 0x00, 0x00, 0x80, 0xD2, 0x75,
                     0x42, 0x00, 0x00, 0x00, 0x04, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x03, 0x00, 0x9B, 0x8C, 0x7D,
                     0x23, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    std::string log = logof([&] {
        EXPECT_EQ(g_PNGToGraphic({1, 2, 3}), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(Bytes(good.begin(), good.begin() + 40)), emptygraphic());
        EXPECT_EQ(g_PNGToGraphic(huge), emptygraphic());  // refused before decoding
        EXPECT_TRUE(g_GraphicToPNG(emptygraphic()).empty());
    });
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (not a PNG picture).\n"));
    EXPECT_THAT(log, HasSubstr("g_PNGToGraphic: PNG could not be read (picture too large).\n"));
    EXPECT_THAT(log, HasSubstr("g_GraphicToPNG: Picture has no pixels.\n"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}
