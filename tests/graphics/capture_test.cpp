// Capturing, packing, showing and drawing back pictures of every depth. Every stage undone gives
// back exactly what was captured; a whole window drawn back from its file has the same pixels.
#include "capture_fixture.h"
#include "graphics/capture.h"
#include "graphics/graphic_file.h"
#include "graphics/png_files.h"

// One picture of long runs per depth: the whole window through a file into a fresh window, and a
// rectangle of odd size and offset through every stage in memory.
TEST_F(CaptureTest, EveryStageRoundTripsThroughAFile) {
    std::mt19937 rng(20240601);
    TempDir dir;
    for (const int64_t depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(depth);
        created(0, depth, 264, 45);  // a width of two bytes in the file's header
        created(5, depth, 264, 45);
        paintrandom(0, rng);
        logof([&] {
            writegraphicfile(dir.file("round.gr"), coded(g_GetScreen(0)));
            g_PutScreen(5, readgraphicfile(dir.file("round.gr")), 0, 0);
            const t_Graphic rect = g_GetScreenRect(0, 3, 7, 47, 27);
            EXPECT_EQ(g_Unpack(g_DecompressRLE(g_DecompressLZW(coded(rect)))), rect);  // each stage undone
        });
        ASSERT_EQ(pixelbytes(5), pixelbytes(0));
    }
}

// Capture formats, then packing: bits and nibbles squeezed row by row, a shared alpha kept once.
// A PNG of the window shows what the screen does: the palette, grey, never the alpha.
TEST_F(CaptureTest, EachDepthCapturesPacksAndShowsItsOwnFormat) {
    TempDir dir;
    // depth, pixel bytes, far corner, format, captured, packed format, packed, first pixel in a PNG
    const std::tuple<int64_t, Bytes, int64_t, int64_t, int64_t, Bytes, int64_t, Bytes, Bytes> cases[] = {
        // 10 x 2 pixels at one bit: each row packs to 2 bytes of its own
        {1, {0xFF, 0xC0, 0, 0, 0xA0}, 9, 1, g_FormatBool, {15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 0, 15, 0, 0,
         0, 0, 0, 0, 0}, g_FormatPackedBool, {0xFF, 0xC0, 0xA0, 0}, {0xFF, 0xFF, 0xFF}},
        {4, {0x12, 0x34, 0x5F}, 4, 0, g_FormatNibble, {1, 2, 3, 4, 5}, g_FormatPackedNibble, {0x12, 0x34, 0x50},
         {0xFF, 0, 0}},
        {16, {0x80, 0x40}, 0, 0, g_FormatAGrey, {0x80, 0x40}, g_FormatPackedAGrey, {0x80, 0x40}, {0x40, 0x40, 0x40}},
        // a fresh 32-bit window is opaque black: one differing alpha keeps every alpha
        {32, {}, 1, 0, g_FormatARGBColor, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0}, g_FormatPackedARGBColor,
         {0xFF, 0, 0, 0, 0, 0, 0}, {0, 0, 0}},
        {32, {0, 0x11, 0x22, 0x33}, 1, 0, g_FormatARGBColor, {0, 0x11, 0x22, 0x33, 0xFF, 0, 0, 0}, g_FormatARGBColor,
         {0, 0x11, 0x22, 0x33, 0xFF, 0, 0, 0}, {0x11, 0x22, 0x33}},
    };
    for (const auto& [depth, memory, x2, y2, format, captured, packedformat, packed, shown] : cases) {
        SCOPED_TRACE(depth);
        created(0, depth, 32, 32);
        setpixelbytes(0, memory);
        const t_Graphic g = g_GetScreenRect(0, 0, 0, x2, y2);
        EXPECT_EQ(g.Format, format);
        EXPECT_EQ(g.Data, captured);
        t_Graphic p;
        const std::string log = logof([&] { p = g_Pack(g); });
        const bool shared = packedformat == g_FormatPackedAGrey || packedformat == g_FormatPackedARGBColor;
        EXPECT_EQ(log, shared ? "g_Pack: Transparency = " + hex2(packed[0]) + "\n" : "");
        EXPECT_EQ(p.Format, packedformat);
        EXPECT_EQ(p.Data, packed);
        ASSERT_EQ(g_SavePNG(0, dir.file("shown.png")), 0);
        const t_Graphic png = g_ReadPNGFile(dir.file("shown.png"));
        ASSERT_EQ(png.Data.size(), 32u * 32 * 3);  // opaque RGB
        EXPECT_EQ(Bytes(png.Data.begin(), png.Data.begin() + 3), shown);
    }
}

// A far corner beyond the window is clamped to it, a bad near corner refused; a picture drawn back
// off the corner is clipped.
TEST_F(CaptureTest, CornersAreClampedOrRefusedAndPicturesClipped) {
    created(0, 4, 32, 32);
    created(1, 4, 32, 32);
    std::mt19937 rng(8);
    paintrandom(0, rng);
    const t_Graphic whole = g_GetScreen(0);
    g_PutScreen(1, whole, -3, -5);  // only the part inside lands, shifted
    EXPECT_EQ(g_GetScreenRect(1, 0, 0, 28, 26), g_GetScreenRect(0, 3, 5, 5000, 5000));
    EXPECT_EQ(g_GetScreenRect(1, 29, 27, 31, 31).Data, Bytes(15, 0));  // untouched
    const std::string log = logof([&] {
        g_PutScreen(1, whole, INT64_MAX, INT64_MIN);  // far away: nothing, and nothing overflows
        // x2 < 0 is x1 > x2; the near corner is not clamped.
        for (const auto& [w, x1, y1, x2, y2] : std::initializer_list<std::tuple<uint8_t, int, int, int, int>>{
                 {1, 5, 0, 4, 0}, {1, -1, 0, 3, 3}, {1, 0, 9, 3, 8}})
            EXPECT_EQ(g_GetScreenRect(w, x1, y1, x2, y2), emptygraphic());
    });
    EXPECT_EQ(log,
              "g_GetScreenRect: Illegal x-value\n"
              "g_GetScreenRect: Illegal x-value\n"
              "g_GetScreenRect: Illegal y-value\n");
}

TEST_F(CaptureTest, PicturesOfAnotherDepthAreConverted) {
    created(0, 24, 32, 8);
    setpixelbytes(0, {0xFF, 0, 0, 0xF0, 0xF0, 0xF0, 0x30, 0x30, 0x30});  // pure red, near-white, dark grey
    const t_Graphic rgb = g_GetScreenRect(0, 0, 0, 2, 0);
    const std::tuple<int64_t, int64_t, Bytes> cases[] = {
        {4, 0, {1, 15, 5}},             // nearest palette entry: red, white, grey 0x54
        {1, 0, {0, 15, 0}},             // by grey: 85, 240, 48
        {32, 1, {0xFF, 0xFF, 0, 0}},    // opaque; drawn one pixel in, its first pixel read back
    };
    for (const auto& [depth, x, pixels] : cases) {
        created(1, depth, 32, 8);
        g_PutScreen(1, rgb, x, 0);
        EXPECT_EQ(g_GetScreenRect(1, x, 0, depth == 32 ? x : 2, 0).Data, pixels) << depth;
    }
}
