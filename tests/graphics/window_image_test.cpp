#include <gtest/gtest.h>

#include <random>

#include "core/clock.h"
#include "graphics/plot.h"
#include "graphics/window_image.h"
#include "support/helpers.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_placement.h"

namespace {

class WindowImageTest : public WindowTest {
protected:
    // A shown window of the depth with the given first bytes of graphic memory.
    uint8_t* shown(uint8_t window, int64_t depth, std::initializer_list<uint8_t> bytes) {
        created(window, depth, 32, 32);
        t_WindowVisible(window, true);
        uint8_t* memory = memoryat(record(window).MemoryStart);
        std::copy(bytes.begin(), bytes.end(), memory);
        return memory;
    }
    t_Image image;
};

}  // namespace

TEST_F(WindowImageTest, HiddenAndMissingWindowsGiveNoImage) {
    created(0, 24, 32, 32);
    EXPECT_EQ(logof([&] {
                  EXPECT_FALSE(t_WindowImage(0, image));  // hidden: silently none
                  EXPECT_FALSE(t_WindowImage(1, image));
                  EXPECT_FALSE(t_WindowImageCopy(9).has_value());
              }),
              "t_WindowImage: Graphic window #1 not initialized.\n");
}

TEST_F(WindowImageTest, TimingFieldsAndTheReusedBuffer) {
    shown(0, 24, {1, 2, 3});
    ASSERT_TRUE(t_WindowImage(0, image));
    const uint32_t* buffer = image.Pixels.data();
    const int64_t before = nowmilliseconds();
    ASSERT_TRUE(t_WindowImage(0, image));
    EXPECT_EQ(image.Pixels.data(), buffer);
    const t_Window w = record(0);
    EXPECT_GE(w.UpdateFinished, before);
    EXPECT_LE(w.UpdateFinished, nowmilliseconds());
    EXPECT_GE(w.UpdateDuration, 0);
    const std::optional<t_Image> copy = t_WindowImageCopy(0);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->Pixels[0], 0xFF010203u);
}

TEST_F(WindowImageTest, ImageAgreesWithThePixelsReadBackAtEveryDepthAndSize) {
    // Opaque RGB of what g_Scrn reads, the pixel's own alpha never included. Sizes whose pixel counts are not multiples of the vector widths leave tails to finish.
    std::mt19937 random(5);
    for (const int64_t depth : {1, 4, 8, 16, 24, 32}) {
        for (const int64_t width : {32, 36, 40, 100}) {
            if ((depth == 1 && width % 8 != 0) || (depth == 4 && width % 4 != 0)) continue;
            created(0, depth, width, 33);
            t_WindowVisible(0, true);
            const t_Window w = record(0);
            for (int64_t i = w.MemoryStart; i <= w.MemoryEnd; ++i) *memoryat(i) = static_cast<uint8_t>(random());
            ASSERT_TRUE(t_WindowImage(0, image));
            ASSERT_EQ(image.Pixels.size(), static_cast<size_t>(width * 33));
            for (int64_t y = 0; y < 33; ++y)
                for (int64_t x = 0; x < width; ++x) {
                    const t_RGBColor c = g_Scrn<t_RGBColor>(0, x, y);
                    const uint32_t expected = 0xFF000000u | uint32_t{c.Red} << 16 | uint32_t{c.Green} << 8 | c.Blue;
                    ASSERT_EQ(image.Pixels[static_cast<size_t>(y * width + x)], expected)
                        << "depth " << depth << " width " << width << " at " << x << ", " << y;
                }
        }
    }
}
