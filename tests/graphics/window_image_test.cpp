#include <gtest/gtest.h>

#include <random>

#include "core/clock.h"
#include "graphics/plot.h"
#include "graphics/window_image.h"
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

TEST_F(WindowImageTest, EveryDepthGivesOpaqueRGBPixels) {
    shown(0, 1, {0x80, 0x00, 0x00, 0x00, 0x01});
    ASSERT_TRUE(t_WindowImage(0, image));
    ASSERT_EQ(image.Pixels.size(), 32u * 32u);
    EXPECT_EQ(image.Pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixels[1], 0xFF000000u);
    EXPECT_EQ(image.Pixels[31], 0xFF000000u);
    EXPECT_EQ(image.Pixels[32 + 7], 0xFFFFFFFFu);  // byte 4 starts row 1; its bit 0 is x 7

    shown(1, 4, {0x1F, 0x8A});
    ASSERT_TRUE(t_WindowImage(1, image));
    EXPECT_EQ(image.Pixels[0], 0xFFFF0000u);
    EXPECT_EQ(image.Pixels[1], 0xFFFFFFFFu);
    EXPECT_EQ(image.Pixels[2], 0xFF804000u);
    EXPECT_EQ(image.Pixels[3], 0xFFA8A8A8u);

    shown(2, 8, {0x00, 0x7F});
    ASSERT_TRUE(t_WindowImage(2, image));
    EXPECT_EQ(image.Pixels[1], 0xFF7F7F7Fu);

    shown(3, 16, {0x80, 0x40});
    ASSERT_TRUE(t_WindowImage(3, image));
    EXPECT_EQ(image.Pixels[0], 0xFF404040u);

    uint8_t* rgb = shown(4, 24, {0x12, 0x34, 0x56});
    rgb[3 * (32 * 32) - 1] = 0x99;
    ASSERT_TRUE(t_WindowImage(4, image));
    EXPECT_EQ(image.Pixels[0], 0xFF123456u);
    EXPECT_EQ(image.Pixels.back(), 0xFF000099u);

    shown(5, 32, {0x00, 0x11, 0x22, 0x33});
    ASSERT_TRUE(t_WindowImage(5, image));
    EXPECT_EQ(image.Pixels[0], 0xFF112233u);  // the pixel's own alpha never reaches the image
    EXPECT_EQ(image.Pixels[1], 0xFF000000u);
}

TEST_F(WindowImageTest, HiddenAndMissingWindowsGiveNoImage) {
    created(0, 24, 32, 32);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(t_WindowImage(0, image));  // hidden: silently none
    EXPECT_FALSE(t_WindowImage(1, image));
    EXPECT_FALSE(t_WindowImage(1, image));
    EXPECT_FALSE(t_WindowImageCopy(9).has_value());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "t_WindowImage: Graphic window #1 not initialized.\nt_WindowImage: Graphic window #1 not initialized.\n");
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
    // Sizes whose pixel counts are not multiples of the vector widths leave tails to finish.
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
