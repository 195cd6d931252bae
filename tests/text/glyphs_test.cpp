#include <gtest/gtest.h>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_colors.h"
#include "text_fixture.h"

namespace {

// Pixel (x, y) of a window of any depth as one number, its bytes read first to last.
uint32_t pixelvalue(const t_Window& record, int64_t x, int64_t y) {
    const int64_t bits = record.BitDepth, at = (y * record.Width + x) * bits;
    const uint8_t* p = framework.videomemory.data() + record.MemoryStart + at / 8;
    if (bits < 8) return (*p >> (8 - bits - at % 8)) & ((1u << bits) - 1);
    uint32_t value = 0;
    for (int64_t i = 0; i < bits / 8; ++i) value = value << 8 | p[i];
    return value;
}

// Pixel of coverage g in cell (cell, 1): glyph row r column k has coverage 16 r + k.
uint32_t coveragepixel(const t_Window& record, int64_t cell, int g) {
    return pixelvalue(record, 16 * (cell - 1) + g % 16, g / 16);
}

}  // namespace

using GlyphBlend = TextScreen;

TEST_F(GlyphBlend, EachDepthBlendsForegroundAndBackground) {
    const int64_t depths[] = {1, 4, 8, 16, 24, 32};
    for (uint8_t window = 0; window < 6; ++window) maketextwindow(window, depths[window], 4, 2);
    const struct {
        uint8_t window;  // of depth 1, 4, 8, 16, 24, 32
        uint8_t colour;
        int64_t cell;
        int g;
        int preset;  // the first byte of the pixel before the glyph is drawn, or -1
        uint32_t expected;
    } cases[] = {
        // Colour 11 (FF 80 80) on colour 7 (00 80 FF): at g = 128 green is 64 + 63, not 128; an
        // alpha byte stays; coverage 0 and 255 give the exact colours.
        {5, 0xB7, 1, 128, 0x37, 0x37807FBF}, {4, 0xB7, 1, 128, -1, 0x807FBF}, {4, 0xB7, 1, 0, -1, 0x0080FF},
        {4, 0xB7, 1, 255, -1, 0xFF8080},
        // Colour 9 (FF 80 00) averages to 127, colour 6 (00 00 FF) to 85; at g = 200:
        // 200*127/255 = 99 and 55*85/255 = 18, so 117. Averaging blended channels would give 118.
        {3, 0x96, 1, 200, 0x55, 0x5575}, {2, 0x96, 1, 200, -1, 117},
        // White on black: greys by their sum (63: 189, 64: 192, ...). Colour 2 (00 00 80) on
        // black at g = 128 is (0, 0, 64): as near to 0 as to 2, lowest wins.
        {1, 0xF0, 1, 0, -1, 0}, {1, 0xF0, 1, 63, -1, 0}, {1, 0xF0, 1, 64, -1, 5}, {1, 0xF0, 1, 128, -1, 10},
        {1, 0xF0, 1, 192, -1, 15}, {1, 0xF0, 1, 255, -1, 15}, {1, 0x20, 2, 128, -1, 0}, {1, 0x20, 2, 130, -1, 2},
        {1, 0x20, 2, 255, -1, 2},
        // One bit: set where the blend is bright; green on black never is.
        {0, 0xC0, 1, 255, -1, 0}, {0, 0xF0, 2, 0, -1, 0}, {0, 0xF0, 2, 127, -1, 0}, {0, 0xF0, 2, 128, -1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("depth " + std::to_string(depths[c.window]) + ", coverage " + std::to_string(c.g));
        const t_Window& w = record(c.window);
        if (c.preset >= 0) framework.videomemory[pixeladdress(w, 16 * (c.cell - 1) + c.g % 16, c.g / 16)] = uint8_t(c.preset);
        t_PrintSymbol(c.window, 'A', c.colour, c.cell, 1);
        EXPECT_EQ(coveragepixel(w, c.cell, c.g), c.expected);
        EXPECT_EQ(cellcolour(c.cell, 1, c.window), c.colour);
    }
}

TEST_F(GlyphBlend, InverseVideoAndCharactersWithoutGlyphs) {
    t_Font font = testfont();
    font.Start = 32;
    font.End = 126;
    maketextwindow(0, 24, 4, 2, font);
    t_Inverse(0);
    t_PrintSymbol(0, 65, 0x1F, 1, 1);
    EXPECT_EQ(cellcolour(1, 1), 0xF1);
    EXPECT_EQ(coveragepixel(record(), 1, 255), 0xFFFFFFu);  // foreground is colour 15
    EXPECT_EQ(coveragepixel(record(), 1, 0), 0xFF0000u);    // background is colour 1
    t_Normal(0);
    // A character outside Start-End draws nothing but is still recorded.
    const Bytes before = memoryblock(record().MemoryStart, record().MemoryEnd);
    t_PrintSymbol(0, 200, 0x5A, 2, 1);
    EXPECT_EQ(memoryblock(record().MemoryStart, record().MemoryEnd), before);
    EXPECT_EQ(cellcharacter(2, 1), 200);
    EXPECT_EQ(cellcolour(2, 1), 0x5A);
}

TEST_F(GlyphBlend, RedirectionWritesToStandardOutputEvenWithoutTextMemory) {
    maketextwindow(0, 24, 4, 2);
    record().TextMemoryStart = record().TextMemoryEnd = -1;
    record().TextRedirectOutput = 2;
    EXPECT_EQ(logof([&] {
                  t_PrintSymbol(0, 'H', 0xC0, 1, 1);
                  t_PrintSymbol(0, 0xE4, 0xC0, 2, 1);
                  record().TextRedirectOutput = 0;
                  t_PrintSymbol(0, 'X', 0xC0, 3, 1);
              }),
              "H\xC3\xA4");
}

TEST_F(GlyphBlend, SmallerOrShortFontsNeverWriteOutsideTheBlocks) {
    maketextwindow(0, 24, 4, 2);
    maketextwindow(1, 24, 4, 2);
    const int64_t below = record(1).TextMemoryStart - 4096;
    const Bytes window0 = windowblocks(0), beneath = memoryblock(below, below + 4095);
    // Glyphs of 8 x 8 fit 8 x 8 cells into pixels sized for 4 x 2 text cells.
    record(1).Font = testfont(8, 8);
    for (int64_t y = 1; y <= 8; ++y)
        for (int64_t x = 1; x <= 8; ++x) t_PrintSymbol(1, 'Z', 0xF0, x, y);
    // Glyph data shorter than the character needs: nothing read past it.
    record(1).Font.Data.resize(100);
    t_PrintSymbol(1, 'Z', 0xF0, 1, 1);
    EXPECT_EQ(windowblocks(0), window0) << "window 0 above is untouched";
    EXPECT_EQ(memoryblock(below, below + 4095), beneath) << "free memory below is untouched";
    EXPECT_EQ(cellcharacter(4, 2, 1), 'Z');
}

TEST_F(GlyphBlend, InvertRectTwiceRestoresPixelsAndColours) {
    maketextwindow(0, 24, 4, 2);
    t_PrintSymbol(0, 'A', 0x96, 2, 1);
    t_PrintSymbol(0, 'B', 0xC0, 3, 2);
    const Bytes before = windowblocks();
    t_InvertRect(0, 2, 1, 3, 2);
    EXPECT_EQ((Bytes{cellcolour(2, 1), cellcolour(3, 2), cellcolour(1, 1)}), (Bytes{0x69, 0x0C, 0xC0}));
    EXPECT_FALSE(record().TextInverse);
    t_InvertRect(0, 2, 1, 3, 2);
    t_InvertRect(0, 3, 1, 2, 1);  // x2 < x1
    t_InvertRect(0, 1, 1, 5, 1);  // off the screen
    EXPECT_EQ(windowblocks(), before);
}

TEST_F(GlyphBlend, AGlyphChangedInPlaceIsDrawnAnew) {
    maketextwindow(0, 24, 4, 2);
    t_PrintSymbol(0, 'A', 0xF0, 1, 1);
    EXPECT_EQ(coveragepixel(record(), 1, 0), 0u);
    record().Font.Data['A' * 16 * 32] = 255;  // same character, colours and cell, new coverage
    t_PrintSymbol(0, 'A', 0xF0, 2, 1);
    EXPECT_EQ(coveragepixel(record(), 2, 0), 0xFFFFFFu);
    t_PrintSymbol(0, 'A', 0x0F, 1, 1);
    EXPECT_EQ(coveragepixel(record(), 1, 0), 0u) << "the exchanged colours draw coverage 255 black";
    EXPECT_EQ(coveragepixel(record(), 1, 1), 0xFEFEFEu);
}
