#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_colors.h"
#include "text_fixture.h"

namespace {

// Pixel of coverage g in cell (cell, 1) of a window of any depth as one number, its bytes read
// first to last: glyph row r column k has coverage 16 r + k.
uint32_t coveragepixel(const t_Window& record, int64_t cell, int g) {
    const int64_t bits = record.BitDepth, at = ((g / 16) * record.Width + 16 * (cell - 1) + g % 16) * bits;
    const uint8_t* p = framework.videomemory.data() + record.MemoryStart + at / 8;
    if (bits < 8) return (*p >> (8 - bits - at % 8)) & ((1u << bits) - 1);
    uint32_t value = 0;
    for (int64_t i = 0; i < bits / 8; ++i) value = value << 8 | p[i];
    return value;
}

}  // namespace

using GlyphBlend = TextScreen;

TEST_F(GlyphBlend, EachDepthBlendsForegroundAndBackground) {
    const int64_t depths[] = {1, 4, 8, 16, 24, 32};
    for (uint8_t window = 0; window < 6; ++window) maketextwindow(window, depths[window], 4, 2);
    // Window (of depth 1, 4, 8, 16, 24, 32), colour, cell, coverage, the first byte of the pixel
    // before the glyph is drawn (or -1), the pixel.
    const std::tuple<uint8_t, uint8_t, int, int, int, uint32_t> cases[] = {
        // Colour 11 (FF 80 80) on colour 7 (00 80 FF): at g = 128 green is 64 + 63, not 128; an
        // alpha byte stays; coverage 255 gives the exact colour.
        {5, 0xB7, 1, 128, 0x37, 0x37807FBF}, {4, 0xB7, 1, 128, -1, 0x807FBF}, {4, 0xB7, 1, 255, -1, 0xFF8080},
        // Colour 9 (FF 80 00) averages to 127, colour 6 (00 00 FF) to 85; at g = 200:
        // 200*127/255 = 99 and 55*85/255 = 18, so 117. Averaging blended channels would give 118.
        {3, 0x96, 1, 200, 0x55, 0x5575}, {2, 0x96, 1, 200, -1, 117},
        // White on black: greys by their sum (63: 189, 64: 192, ...). Colour 2 (00 00 80) on
        // black at g = 128 is (0, 0, 64): as near to 0 as to 2, lowest wins.
        {1, 0xF0, 1, 63, -1, 0}, {1, 0xF0, 1, 64, -1, 5}, {1, 0xF0, 1, 128, -1, 10}, {1, 0x20, 2, 128, -1, 0},
        // One bit: set where the blend is bright; green on black never is.
        {0, 0xC0, 1, 255, -1, 0}, {0, 0xF0, 2, 127, -1, 0}, {0, 0xF0, 2, 128, -1, 1},
    };
    for (const auto& [window, colour, cell, g, preset, expected] : cases) {
        SCOPED_TRACE("depth " + std::to_string(depths[window]) + ", coverage " + std::to_string(g));
        const t_Window& w = record(window);
        if (preset >= 0) framework.videomemory[pixeladdress(w, 16 * (cell - 1) + g % 16, g / 16)] = uint8_t(preset);
        t_PrintSymbol(window, 'A', colour, cell, 1);
        EXPECT_EQ(coveragepixel(w, cell, g), expected);
    }
}

// t_InvertRect swaps the colours of the cells it covers and twice restores the window.
TEST_F(GlyphBlend, InvertRectTwiceRestoresPixelsAndColours) {
    maketextwindow(0, 24, 4, 2);
    t_PrintSymbol(0, 'A', 0x96, 2, 1);
    t_PrintSymbol(0, 'B', 0xC0, 3, 2);
    const Bytes before = windowblocks();
    t_InvertRect(0, 2, 1, 3, 2);
    EXPECT_EQ((Bytes{cellcolour(2, 1), cellcolour(3, 2), cellcolour(1, 1)}), (Bytes{0x69, 0x0C, 0xC0}));
    t_InvertRect(0, 2, 1, 3, 2);
    t_InvertRect(0, 3, 1, 2, 1);  // x2 < x1
    t_InvertRect(0, 1, 1, 5, 1);  // off the screen
    EXPECT_EQ(windowblocks(), before);
}

// The drawn-cell cache is keyed by the glyph's coverage and the colours, not only the character.
TEST_F(GlyphBlend, AGlyphChangedInPlaceIsDrawnAnew) {
    maketextwindow(0, 24, 4, 2);
    t_PrintSymbol(0, 'A', 0xF0, 1, 1);
    record().Font.Data['A' * 16 * 32] = 255;
    t_PrintSymbol(0, 'A', 0xF0, 2, 1);
    t_PrintSymbol(0, 'A', 0x0F, 1, 1);
    EXPECT_EQ((std::vector<uint32_t>{coveragepixel(record(), 2, 0), coveragepixel(record(), 1, 0), coveragepixel(record(), 1, 1)}),
              (std::vector<uint32_t>{0xFFFFFFu, 0u, 0xFEFEFEu}));
}

// Cells of any width a window can hold, narrower and wider than the rows the drawing prepares:
// a background row, a foreground row and a mixed one are drawn whole, and nothing beside them.
TEST_F(GlyphBlend, CellsOfAnyWidthAreDrawnWithinTheirCell) {
    for (const int64_t width : {1, 12, 16, 255, 300, 4000}) {
        SCOPED_TRACE("width " + std::to_string(width));
        t_Font font = greyfont(width, 16);
        uint8_t* glyph = font.Data.data() + 'A' * width * 16;
        for (int64_t k = 0; k < width; ++k) glyph[width + k] = 255, glyph[2 * width + k] = static_cast<uint8_t>(k);
        maketextwindow(0, 24, std::max<int64_t>(2, 64 / width), 2, font);
        t_PrintSymbol(0, 'A', 0xF1, 1, 1);  // white on red
        const t_Window& w = record();
        const auto rgb = [&](int64_t x, int64_t y) {
            const uint8_t* p = framework.videomemory.data() + pixeladdress(w, x, y);
            return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        };
        for (int64_t k = 0; k < width; ++k) {
            ASSERT_EQ(rgb(k, 0), 0xFF0000u) << k;
            ASSERT_EQ(rgb(k, 1), 0xFFFFFFu) << k;
            ASSERT_EQ(rgb(k, 2), 0xFF0000u | (k & 255) * 0x0101u) << k;
        }
        EXPECT_EQ((std::array{rgb(width, 0), rgb(width, 2), rgb(0, 16)}), (std::array{0u, 0u, 0u}));
    }
}
