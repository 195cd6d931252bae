#include <gmock/gmock.h>

#include <tuple>

#include "capture_fixture.h"
#include "graphics/capture.h"
#include "graphics/graphic_coding.h"

using testing::HasSubstr;

TEST_F(CaptureTest, FarCornerIsClampedToTheWindow) {
    makewindow(2, 24, 640, 480);
    std::mt19937 rng(5);
    paintrandom(2, rng);
    const Bytes memory = pixelbytes(2);
    const t_Graphic g = g_GetScreenRect(2, 10, 10, 5000, 5000);
    EXPECT_EQ(std::vector<int64_t>({g.Format, g.Width, g.Height, g.Size, g.Reserved1, g.Reserved2, g.Reserved3}),
              std::vector<int64_t>({g_FormatRGBColor, 630, 470, 296100, 1, 1, 0}));
    ASSERT_EQ(g.Data.size(), 296100u * 3);
    // First and last pixel of the rectangle: (10, 10) and (639, 479).
    EXPECT_TRUE(std::equal(g.Data.begin(), g.Data.begin() + 3, memory.begin() + (10 * 640 + 10) * 3));
    EXPECT_TRUE(std::equal(g.Data.end() - 3, g.Data.end(), memory.end() - 3));
    EXPECT_EQ(g_GetScreen(2).Size, 640 * 480);
}

TEST_F(CaptureTest, RefusalsPrintTheirLineAndGiveTheEmptyRecord) {
    makewindow(1, 8, 64, 64);
    const std::string log = logof([] {
        // x2 < 0 is x1 > x2; the near corner is not clamped.
        for (const auto& [w, x1, y1, x2, y2] : std::initializer_list<std::tuple<uint8_t, int, int, int, int>>{
                 {1, 5, 0, 4, 0}, {1, 0, 0, -1, 0}, {1, -1, 0, 3, 3}, {1, 0, 9, 3, 8}, {8, 0, 0, 1, 1}, {3, 0, 0, 1, 1}})
            EXPECT_EQ(g_GetScreenRect(w, x1, y1, x2, y2), emptygraphic());
        EXPECT_EQ(g_GetScreen(9), emptygraphic());
        EXPECT_EQ(g_GetScreen(4), emptygraphic());
    });
    EXPECT_EQ(log,
              "g_GetScreenRect: Illegal x-value\n"
              "g_GetScreenRect: Illegal x-value\n"
              "g_GetScreenRect: Illegal x-value\n"
              "g_GetScreenRect: Illegal y-value\n"
              "g_GetScreenRect: Window is not a graphic window.\n"
              "g_GetScreenRect: Graphic window #3 not initialized.\n"
              "g_GetScreen: Window is not a graphic window.\n"
              "g_GetScreen: Graphic window #4 not initialized.\n");
}

TEST_F(CaptureTest, EachDepthCapturesItsOwnFormat) {
    struct t_Case {
        int64_t Depth;
        Bytes Memory;
        int64_t X2, Y2, Format;
        Bytes Captured;
    };
    const t_Case cases[] = {
        {1, {0xA0}, 3, 1, g_FormatBool, {15, 0, 15, 0, 0, 0, 0, 0}},  // pixels 0 and 2 of the top row set
        {4, {0x1F, 0x80}, 3, 0, g_FormatNibble, {1, 15, 8, 0}},
        {16, {0x80, 0x40}, 0, 0, g_FormatAGrey, {0x80, 0x40}},  // alpha 0x80, grey 0x40
        {32, {0x11, 0x22, 0x33, 0x44}, 1, 0, g_FormatARGBColor, {0x11, 0x22, 0x33, 0x44, 0xFF, 0, 0, 0}},  // then as cleared
    };
    for (const t_Case& c : cases) {
        makewindow(0, c.Depth, 32, 32);
        setpixelbytes(0, c.Memory);
        const t_Graphic g = g_GetScreenRect(0, 0, 0, c.X2, c.Y2);
        EXPECT_EQ(g.Format, c.Format) << c.Depth;
        EXPECT_EQ(g.Data, c.Captured) << c.Depth;
    }
}

TEST_F(CaptureTest, PackingSqueezesBitsNibblesAndASharedAlpha) {
    makewindow(0, 1, 32, 8);
    makewindow(1, 4, 32, 8);
    makewindow(2, 32, 32, 8);
    setpixelbytes(0, {0xFF, 0xC0});
    // A 10-pixel-wide one-bit capture packs to 2 bytes a row, the second holding 2 pixels.
    const t_Graphic bits = g_Pack(g_GetScreenRect(0, 0, 0, 9, 1));
    EXPECT_EQ(bits.Format, g_FormatPackedBool);
    EXPECT_EQ(bits.Data, (Bytes{0xFF, 0xC0, 0, 0}));
    // A 5-pixel-wide four-bit capture packs to 3 bytes a row, the third with a zero low nibble.
    setpixelbytes(1, {0x12, 0x34, 0x5F});
    const t_Graphic nibbles = g_Pack(g_GetScreenRect(1, 0, 0, 4, 0));
    EXPECT_EQ(nibbles.Format, g_FormatPackedNibble);
    EXPECT_EQ(nibbles.Data, (Bytes{0x12, 0x34, 0x50}));

    // A fresh 32-bit window is opaque black everywhere: the alpha is kept once.
    t_Graphic argb;
    EXPECT_EQ(logof([&] { argb = g_Pack(g_GetScreenRect(2, 0, 0, 1, 0)); }), "g_Pack: Transparency = FF\n");
    EXPECT_EQ(argb.Format, g_FormatPackedARGBColor);
    EXPECT_EQ(argb.Data, (Bytes{0xFF, 0, 0, 0, 0, 0, 0}));
    setpixelbytes(2, {0xFE});
    EXPECT_EQ(logof([&] { argb = g_Pack(g_GetScreenRect(2, 0, 0, 1, 0)); }), "");
    EXPECT_EQ(argb.Format, g_FormatARGBColor);
}

TEST_F(CaptureTest, APictureDrawnBackMatchesAndIsClipped) {
    makewindow(0, 4, 32, 16);
    makewindow(1, 4, 32, 16);
    std::mt19937 rng(8);
    paintrandom(0, rng);
    const t_Graphic whole = g_GetScreen(0);
    g_PutScreen(1, g_CompressLZW(g_CompressRLE(g_Pack(whole))), 0, 0);
    EXPECT_EQ(pixelbytes(1), pixelbytes(0));

    // Half off the top-left corner: only the part inside lands, shifted.
    makewindow(1, 4, 32, 16);
    g_PutScreen(1, whole, -3, -5);
    const t_Graphic moved = g_GetScreenRect(1, 0, 0, 28, 10);
    EXPECT_EQ(moved.Data, g_GetScreenRect(0, 3, 5, 31, 15).Data);
    EXPECT_EQ(g_GetScreenRect(1, 29, 11, 31, 15).Data, Bytes(15, 0));  // untouched
    const std::string log = logof([&] {
        g_PutScreen(1, whole, INT64_MAX, INT64_MIN);  // far away: nothing, and nothing overflows
        g_PutScreen(8, whole, 0, 0);
    });
    EXPECT_EQ(log, "g_PutScreen: Window is not a graphic window.\n");
}

TEST_F(CaptureTest, PicturesOfAnotherDepthAreConverted) {
    makewindow(0, 24, 32, 8);
    makewindow(1, 4, 32, 8);
    makewindow(2, 1, 32, 8);
    makewindow(3, 32, 32, 8);
    // Pure red, near-white, dark grey.
    setpixelbytes(0, {0xFF, 0, 0, 0xF0, 0xF0, 0xF0, 0x30, 0x30, 0x30});
    const t_Graphic rgb = g_GetScreenRect(0, 0, 0, 2, 0);
    g_PutScreen(1, rgb, 0, 0);
    EXPECT_EQ(g_GetScreenRect(1, 0, 0, 2, 0).Data, (Bytes{1, 15, 5}));  // nearest: red, white, grey 0x54
    g_PutScreen(2, rgb, 0, 0);
    EXPECT_EQ(g_GetScreenRect(2, 0, 0, 2, 0).Data, (Bytes{0, 15, 0}));  // grey 85, 240, 48
    g_PutScreen(3, rgb, 1, 0);
    EXPECT_EQ(g_GetScreenRect(3, 1, 0, 1, 0).Data, (Bytes{0xFF, 0xFF, 0, 0}));  // opaque
}
