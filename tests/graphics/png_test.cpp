// Pictures as PNG files: what the window shows, transparency, refused files.
#include <gmock/gmock.h>

#include "capture_fixture.h"
#include "graphics/png_files.h"
#include "host/images.h"

using testing::HasSubstr;

TEST_F(CaptureTest, PNGShowsWhatTheWindowShows) {
    TempDir dir;
    const std::tuple<int64_t, Bytes, Bytes> cases[] = {  // depth, pixel bytes, RGB in the file
        {32, {0x00, 0x11, 0x22, 0x33}, {0x11, 0x22, 0x33}},  // alpha 0 never reaches the screen
        {16, {0x80, 0x40}, {0x40, 0x40, 0x40}},
        {4, {0x1F}, {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0}},  // palette red, white, black
    };
    for (const auto& [depth, pixels, rgb] : cases) {
        makewindow(0, depth, 32, 8);
        setpixelbytes(0, pixels);
        ASSERT_EQ(g_SavePNG(0, dir.file("saved.png")), 0);
        const t_Graphic saved = g_ReadPNGFile(dir.file("saved.png"));
        EXPECT_EQ(std::vector<int64_t>({saved.Format, saved.Width}), std::vector<int64_t>({g_FormatRGBColor, 32}));
        EXPECT_EQ(Bytes(saved.Data.begin(), saved.Data.begin() + static_cast<int64_t>(rgb.size())), rgb) << depth;
    }
}

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
