// The image a shown window puts on the screen: opaque RGB of what g_Scrn reads, the pixel's own
// alpha never included, at every depth. Pixel counts that are no multiple of the vector widths
// leave tails to finish. Only shown windows have an image, built into the caller's buffer.
#include <random>

#include "graphics/plot.h"
#include "graphics/window_image.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_placement.h"

TEST_F(WindowTest, ImageOfShownWindowsAgreesWithThePixelsReadBackAtEveryDepthAndSize) {
    std::mt19937 random(5);
    t_Image image;
    created(0, 24, 32, 32);
    EXPECT_EQ(logof([&] { EXPECT_FALSE(t_WindowImage(0, image) || t_WindowImage(1, image)); }),  // hidden: silently
              "t_WindowImage: Graphic window #1 not initialized.\n");
    t_WindowVisible(0, true);
    for (const int64_t depth : {1, 4, 8, 16, 24, 32}) {
        for (const int64_t asked : {32, 36, 100}) {  // narrow depths round the width to whole bytes
            created(0, depth, asked, 33);
            const t_Window w = record(0);
            for (int64_t i = w.MemoryStart; i <= w.MemoryEnd; ++i) *memoryat(i) = static_cast<uint8_t>(random());
            ASSERT_TRUE(t_WindowImage(0, image));
            ASSERT_EQ(image.Pixels.size(), static_cast<size_t>(w.Width * 33));
            for (int64_t y = 0; y < 33; ++y)
                for (int64_t x = 0; x < w.Width; ++x) {
                    const t_RGBColor c = g_Scrn<t_RGBColor>(0, x, y);
                    const uint32_t expected = 0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
                    ASSERT_EQ(image.Pixels[static_cast<size_t>(y * w.Width + x)], expected) << depth;
                }
        }
    }
    const uint32_t* buffer = image.Pixels.data();
    ASSERT_TRUE(t_WindowImage(0, image));
    EXPECT_EQ(image.Pixels.data(), buffer);  // reused, not made anew
}
