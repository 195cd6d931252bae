#include <gtest/gtest.h>

#include <tuple>

#include "core/framework_state.h"
#include "text/glyphs.h"
#include "text/text_colors.h"
#include "text_fixture.h"

namespace {

// Column k of glyph row 0 has coverage k, row r column k has coverage 16 r + k (width 16).
constexpr int64_t rowof(int g) { return g / 16; }
constexpr int64_t columnof(int g) { return g % 16; }

uint8_t* pixel(const t_Window& record, int g) {
    return framework.videomemory.data() + pixeladdress(record, columnof(g), rowof(g));
}

Bytes bytesat(const t_Window& record, int g, size_t count) { return Bytes(pixel(record, g), pixel(record, g) + count); }

}  // namespace

using GlyphBlend = TextScreen;

TEST_F(GlyphBlend, TwentyFourAndThirtyTwoBitsTruncateEachQuotientSeparately) {
    maketextwindow(0, 24, 4, 2);
    maketextwindow(1, 32, 4, 2);
    framework.videomemory[pixeladdress(record(1), columnof(128), rowof(128))] = 0x37;  // alpha
    // Colour 11 (FF 80 80) on colour 7 (00 80 FF): at g = 128 green is 64 + 63, not 128.
    t_PrintSymbol(0, 'A', 0xB7, 1, 1);
    t_PrintSymbol(1, 'A', 0xB7, 1, 1);
    EXPECT_EQ(bytesat(record(0), 128, 3), (Bytes{128, 127, 191}));
    EXPECT_EQ(bytesat(record(1), 128, 4), (Bytes{0x37, 128, 127, 191}));
    // Coverage 0 and 255 give the exact background and foreground colours.
    EXPECT_EQ(bytesat(record(0), 0, 3), (Bytes{0x00, 0x80, 0xFF}));
    EXPECT_EQ(bytesat(record(0), 255, 3), (Bytes{0xFF, 0x80, 0x80}));
    EXPECT_EQ(cellcolour(1, 1), 0xB7);
}

TEST_F(GlyphBlend, GreyDepthsBlendTheAveragedPaletteColours) {
    maketextwindow(0, 8, 4, 2);
    maketextwindow(1, 16, 4, 2);
    framework.videomemory[pixeladdress(record(1), columnof(200), rowof(200))] = 0x55;
    // Colour 9 (FF 80 00) averages to 127, colour 6 (00 00 FF) to 85; at g = 200:
    // 200*127/255 = 99 and 55*85/255 = 18, so 117. Averaging blended channels would give 118.
    t_PrintSymbol(0, 'A', 0x96, 1, 1);
    t_PrintSymbol(1, 'A', 0x96, 1, 1);
    EXPECT_EQ(*pixel(record(0), 200), 117);
    EXPECT_EQ(bytesat(record(1), 200, 2), (Bytes{0x55, 117}));
}

TEST_F(GlyphBlend, FourBitsPicksGreyStepsOrTheNearestPaletteEntry) {
    maketextwindow(0, 4, 4, 2);
    const auto nibble = [&](int g, int64_t cell = 0) {
        const int64_t x = 16 * cell + columnof(g);
        const uint8_t byte = framework.videomemory[record().MemoryStart + rowof(g) * record().Width / 2 + x / 2];
        return x % 2 == 0 ? byte >> 4 : byte & 15;
    };
    t_PrintSymbol(0, 'A', 0xF0, 1, 1);  // white on black: greys by their sum (63: 189, 64: 192, ...)
    // Colour 2 (00 00 80) on black at g = 128 is (0, 0, 64): as near to 0 as to 2, lowest wins.
    t_PrintSymbol(0, 'A', 0x20, 2, 1);
    const std::tuple<int, int64_t, int> cases[] = {{0, 0, 0},   {63, 0, 0},  {64, 0, 5},  {128, 0, 10}, {192, 0, 15},
                                                   {255, 0, 15}, {128, 1, 0}, {130, 1, 2}, {255, 1, 2}};
    for (const auto& [g, cell, expected] : cases) EXPECT_EQ(nibble(g, cell), expected) << g << " in cell " << cell;
}

TEST_F(GlyphBlend, OneBitSetsPixelsWhoseBlendIsBright) {
    maketextwindow(0, 1, 4, 2);
    const auto bit = [&](int64_t x, int64_t y) {
        const uint8_t byte = framework.videomemory[record().MemoryStart + y * record().Width / 8 + x / 8];
        return (byte >> (7 - x % 8)) & 1;
    };
    t_PrintSymbol(0, 'A', 0xC0, 1, 1);  // green on black never reaches 128 on average
    int set = 0;
    for (int64_t y = 0; y < 32; ++y)
        for (int64_t x = 0; x < 16; ++x) set += bit(x, y);
    EXPECT_EQ(set, 0);
    t_PrintSymbol(0, 'A', 0xF0, 2, 1);
    EXPECT_EQ(bit(16 + 127 % 16, 127 / 16), 0);
    EXPECT_EQ(bit(16 + 128 % 16, 128 / 16), 1);
    EXPECT_EQ(bit(16 + 0, 0), 0);
}

TEST_F(GlyphBlend, RecordingInverseVideoAndCharactersWithoutGlyphs) {
    t_Font font = testfont();
    font.Start = 32;
    font.End = 126;
    maketextwindow(0, 24, 4, 2, font);
    t_Inverse(0);
    t_PrintSymbol(0, 65, 0x1F, 1, 1);
    EXPECT_EQ(cellcolour(1, 1), 0xF1);
    EXPECT_EQ(pixel(record(), 255)[0], 0xFF);              // foreground is colour 15
    EXPECT_EQ(bytesat(record(), 0, 2), (Bytes{0xFF, 0}));  // background is colour 1 (FF 00 00)
    t_Normal(0);
    // A character outside Start-End draws nothing but is still recorded.
    const std::vector<uint8_t> before = memoryblock(record().MemoryStart, record().MemoryEnd);
    t_PrintSymbol(0, 200, 0x5A, 2, 1);
    EXPECT_EQ(memoryblock(record().MemoryStart, record().MemoryEnd), before);
    EXPECT_EQ(cellcharacter(2, 1), 200);
    EXPECT_EQ(cellcolour(2, 1), 0x5A);
}

TEST_F(GlyphBlend, RefusalsReportAndRecordNothing) {
    maketextwindow(0, 24, 4, 2);
    EXPECT_EQ(logof([] {
                  t_PrintSymbol(0, 'A', 0xC0, 5, 1);
                  t_PrintSymbol(0, 'A', 0xC0, 0, 1);
                  t_PrintSymbol(0, 'A', 0xC0, INT64_MAX, INT64_MAX);
                  t_PrintSymbol(8, 'A', 0xC0, 1, 1);
                  t_PrintSymbol(3, 'A', 0xC0, 1, 1);
              }),
              "t_PrintSymbol: Window #0 illegal coordinates (x = 5, y = 1).\n"
              "t_PrintSymbol: Window #0 illegal coordinates (x = 0, y = 1).\n"
              "t_PrintSymbol: Window #0 illegal coordinates (x = 9223372036854775807, y = 9223372036854775807).\n"
              "t_PrintSymbol: Window is not a graphic window.\n"
              "t_PrintSymbol: Window #3 not initialized.\n");
    EXPECT_EQ(screenlines(0)[0], "    ");
    // Fonts that cannot draw: the message, yet the cell is recorded.
    EXPECT_EQ(logof([&] {
                  record().Font.Format = 102;
                  t_PrintSymbol(0, 'B', 0xC0, 1, 1);
                  record().Font.Format = 7;
                  t_PrintSymbol(0, 'C', 0xC0, 2, 1);
              }),
              "t_PrintSymbol: Font format must be uncompressed grey for text-printing.\n"
              "t_PrintSymbol: Illegal font format.\n");
    EXPECT_EQ(cellcharacter(1, 1), 'B');
    EXPECT_EQ(cellcharacter(2, 1), 'C');
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
    const std::vector<uint8_t> window0 = windowblocks(0), beneath = memoryblock(below, below + 4095);
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
    const std::vector<uint8_t> before = windowblocks();
    t_InvertRect(0, 2, 1, 3, 2);
    EXPECT_EQ(cellcolour(2, 1), 0x69);
    EXPECT_EQ(cellcolour(3, 2), 0x0C);
    EXPECT_EQ(cellcolour(1, 1), 0xC0);
    EXPECT_FALSE(record().TextInverse);
    t_InvertRect(0, 2, 1, 3, 2);
    t_InvertRect(0, 3, 1, 2, 1);  // x2 < x1
    t_InvertRect(0, 1, 1, 5, 1);  // off the screen
    EXPECT_EQ(windowblocks(), before);
}

TEST_F(GlyphBlend, AGlyphChangedInPlaceIsDrawnAnew) {
    maketextwindow(0, 24, 4, 2);
    t_PrintSymbol(0, 'A', 0xF0, 1, 1);
    EXPECT_EQ(pixel(record(), 0)[0], 0);
    record().Font.Data['A' * 16 * 32] = 255;  // same character, colours and cell, new coverage
    t_PrintSymbol(0, 'A', 0xF0, 2, 1);
    EXPECT_EQ(framework.videomemory[pixeladdress(record(), 16, 0)], 255);
    t_PrintSymbol(0, 'A', 0x0F, 1, 1);
    EXPECT_EQ(pixel(record(), 0)[0], 0) << "the exchanged colours draw coverage 255 black";
    EXPECT_EQ(pixel(record(), 1)[0], 254);
}
