// Points and lines at every depth and drawing mode; lines far outside are clipped, not walked.
#include <array>
#include <set>
#include <tuple>

#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"

namespace {

using Points = std::set<std::pair<int64_t, int64_t>>;

// Every pixel of a 64 x 64 window at 24 bits that is not black.
Points litpixels(uint8_t window) {
    Points lit;
    for (int64_t y = 0; y < 64; ++y)
        for (int64_t x = 0; x < 64; ++x) {
            const uint8_t* p = memoryat(record(window).MemoryStart + 3 * (64 * y + x));
            if (p[0] | p[1] | p[2]) lit.insert({x, y});
        }
    return lit;
}

void setdrawing(uint8_t window, t_RGBColor color, int64_t mode, uint8_t text = 0) {
    FrameworkLock lock;
    framework.windows[window].RGBColor = color;
    framework.windows[window].DrawingMode = mode;
    framework.windows[window].TextColor = text;
}

// A fresh 64 x 64 window at 24 bits, drawing white.
void whitewindow(int64_t mode) {
    createwindow(0, 24, true, 64, 64, 16, t_Font{});
    setdrawing(0, {255, 255, 255, 255}, mode);
}

}  // namespace

// Each line alone in a fresh window: the points lit and where the position ends. The start at -1
// rounds onto 0, so pixel (0, 0) is plotted twice: with XOR it cancels out. Lines leaving the
// window are clipped, not walked; the last inside point is the position. At slope 1/2 far beyond
// the window, y = trunc(x / 2 + 0.5) for each x.
TEST_F(WindowTest, LinesPlotTheirPointsAndAreClippedNotWalked) {
    const auto along = [](int64_t (*x)(int64_t), int64_t (*y)(int64_t)) {
        Points points;
        for (int64_t i = 0; i < 64; ++i) points.insert({x(i), y(i)});
        return points;
    };
    const auto i = [](int64_t v) { return v; };
    const std::tuple<std::array<int64_t, 4>, int64_t, Points, int64_t> cases[] = {  // line, mode, lit, position
        {{0, 0, 3, 1}, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}, 3},
        {{5, 5, 5, 5}, 0, {{5, 5}}, 5},
        {{-1, 0, 1, 0}, 7, {{1, 0}}, 1},
        {{INT64_MIN, 7, INT64_MAX, 7}, 0, along(i, [](int64_t) -> int64_t { return 7; }), 63},
        {{-1000000000000, -1000000000000, 1000000000000, 1000000000000}, 0, along(i, i), 63},
        {{3, INT64_MAX, 3, INT64_MIN}, 0, along([](int64_t) -> int64_t { return 3; }, i), 3},
        {{-200000, -100000, 200000, 100000}, 0, along(i, [](int64_t x) { return (x + 1) / 2; }), 63},
    };
    for (const auto& [line, mode, lit, position] : cases) {
        whitewindow(mode);
        g_Line(0, line[0], line[1], line[2], line[3]);
        EXPECT_EQ(litpixels(0), lit) << line[0] << ", " << line[1];
        EXPECT_EQ(record(0).PositionX, position);
    }
}

// The old pixel bytes, the drawing colour and mode, then the bytes and the palette index read back.
// At 32 bits the first byte is the alpha; at 24 bits mode 1 averages, at 32 bits it blends by the
// colour's alpha. Palette depths draw in the text colour, grey depths the colour's mean in any mode.
TEST_F(WindowTest, EachDepthAndModeSetsItsPixel) {
    const t_RGBColor c{7, 0xF0, 0x0F, 0x81}, d{0x40, 1, 2, 3}, g{0x77, 30, 60, 91};
    // depth, x, mode, colour, text colour, old bytes, new bytes, index
    const std::tuple<int64_t, int64_t, int64_t, t_RGBColor, uint8_t, Bytes, Bytes, int64_t> cases[] = {
        {24, 0, 1, c, 0, {0x10, 0x21, 0x01}, {0x80, 0x18, 0x41}, 0},
        {24, 0, 5, c, 0, {0xFF, 0x01, 0x80}, {0xF0, 0x01, 0x80}, 0},
        {24, 0, 6, c, 0, {0x0F, 0x10, 0x00}, {0xFF, 0x1F, 0x81}, 0},
        {32, 0, 0, d, 0, {9, 9, 9, 9}, {0x40, 1, 2, 3}, 15},
        // Two separately truncated quotients: 200*128/255 = 100, 10*127/255 = 4.
        {32, 0, 1, {128, 200, 200, 200}, 0, {9, 10, 10, 10}, {9, 104, 104, 104}, 15},
        {32, 0, 2, d, 0, {9, 9, 9, 9}, {0xFF, 1, 2, 3}, 15},
        {32, 0, 3, d, 0, {9, 9, 9, 9}, {9, 1, 2, 3}, 15},
        {32, 0, 4, {0x40, 10, 20, 31}, 0, {9, 20, 40, 0}, {9, 15, 30, 15}, 15},
        {32, 0, 7, d, 0, {9, 1, 2, 3}, {9, 0, 0, 0}, 0},
        {32, 0, 9, d, 0, {9, 8, 8, 8}, {9, 8, 8, 8}, 15},  // unknown modes leave the pixel
        {1, 9, 0, d, 0x90, {0, 0}, {0, 0x40}, 15},  // x 9 is bit 6 of the second byte
        {1, 9, 0, d, 0x8F, {0, 0xFF}, {0, 0xBF}, 0},
        {4, 0, 0, d, 0xC0, {0x35}, {0xC5}, 12},
        {4, 1, 0, d, 0xC0, {0x35}, {0x3C}, 12},
        {16, 1, 7, g, 0, {0, 0, 0, 0}, {0, 0, 0x77, 60}, 0},
    };
    for (const auto& [depth, x, mode, colour, text, before, after, index] : cases) {
        SCOPED_TRACE(testing::Message() << depth << " bits, mode " << mode);
        created(0, depth, 32, 32);
        uint8_t* p = memoryat(record(0).MemoryStart);
        std::copy(before.begin(), before.end(), p);
        setdrawing(0, colour, mode, text);
        g_Plot(0, x, 0);
        EXPECT_EQ(Bytes(p, p + after.size()), after);
        EXPECT_EQ(g_Scrn(0, x, 0), index);
    }
}

TEST_F(WindowTest, GuardsReportAndChangeNothing) {
    created(0, 24, 32, 32);
    testing::internal::CaptureStdout();
    g_Plot(8, 0, 0);
    g_Line(1, 0, 0, 5, 5);
    EXPECT_EQ(g_Scrn<t_RGBColor>(0, 40, 0), (t_RGBColor{255, 0, 0, 0}));
    { FrameworkLock lock; framework.windows[0].BitDepth = 12; }
    g_Plot(0, 3, 4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "g_Plot: Window is not a graphic window.\n"
              "g_Line: Graphic window #1 not initialized.\n"
              "g_Plot: Illegal bit depth (12).\n");
}
