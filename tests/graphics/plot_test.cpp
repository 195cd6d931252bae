// Points and lines at every depth and drawing mode; lines far outside are clipped, not walked.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <set>
#include <tuple>
#include <utility>

#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_colors.h"

namespace {

using Points = std::set<std::pair<int64_t, int64_t>>;

// Every pixel of a 24-bit window that is not black.
Points litpixels(uint8_t window) {
    const t_Window w = record(window);
    Points lit;
    for (int64_t y = 0; y < w.Height; ++y)
        for (int64_t x = 0; x < w.Width; ++x) {
            const uint8_t* p = memoryat(w.MemoryStart + 3 * (w.Width * y + x));
            if (p[0] | p[1] | p[2]) lit.insert({x, y});
        }
    return lit;
}

void setdrawing(uint8_t window, t_RGBColor color, int64_t mode) {
    FrameworkLock lock;
    framework.windows[window].RGBColor = color;
    framework.windows[window].DrawingMode = mode;
}

class PlotTest : public WindowTest {
protected:
    // A fresh 64 x 64 window at 24 bits, drawing white.
    void whitewindow() {
        created(0, 24, 64, 64);
        t_Color(0, 15);  // the drawing colour follows the text colour
    }
};

}  // namespace

TEST_F(PlotTest, LinesPlotTheSpecifiedPoints) {
    // The start at -1 rounds onto 0, so pixel (0, 0) is plotted twice: with XOR it cancels out.
    const std::tuple<std::array<int64_t, 4>, int64_t, Points> cases[] = {
        {{0, 0, 3, 1}, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{5, 5, 5, 5}, 0, {{5, 5}}},
        {{-1, 0, 1, 0}, 7, {{1, 0}}},
    };
    for (const auto& [line, mode, lit] : cases) {
        whitewindow();
        setdrawing(0, record(0).RGBColor, mode);
        g_Line(0, line[0], line[1], line[2], line[3]);
        EXPECT_EQ(litpixels(0), lit);
        EXPECT_EQ(record(0).PositionX, line[2]);
    }
}

TEST_F(PlotTest, LinesLeavingTheWindowAreClippedNotWalked) {
    whitewindow();
    g_Line(0, -10, 20, 100, 20);
    EXPECT_EQ(record(0).PositionX, 63);  // the end lies outside: the last inside point counts
    g_Line(0, INT64_MIN, 7, INT64_MAX, 7);
    g_Line(0, -1000000000000, -1000000000000, 1000000000000, 1000000000000);
    g_Line(0, 3, INT64_MAX, 3, INT64_MIN);
    Points expected;
    for (int64_t i = 0; i < 64; ++i) expected.insert({{i, 20}, {i, 7}, {i, i}, {3, i}});
    EXPECT_EQ(litpixels(0), expected);
    // Slope 1/2 far beyond the window: y = trunc(x / 2 + 0.5) for each x.
    whitewindow();
    g_Line(0, -200000, -100000, 200000, 100000);
    Points half;
    for (int64_t x = 0; x < 64; ++x) half.insert({x, (x + 1) / 2});
    EXPECT_EQ(litpixels(0), half);
}

// The old pixel, the drawing colour and mode, and the pixel afterwards. At 32 bits the first
// byte is the alpha; at 24 bits mode 1 averages, at 32 bits it blends by the colour's alpha.
TEST_F(PlotTest, DrawingModesAt24And32Bits) {
    struct t_Case {
        int64_t Depth, Mode;
        t_RGBColor Colour;
        Bytes Old, New;
    };
    const t_RGBColor c{7, 0xF0, 0x0F, 0x81}, d{0x40, 1, 2, 3};
    const t_Case cases[] = {
        {24, 0, c, {1, 2, 3}, {0xF0, 0x0F, 0x81}},
        {24, 1, c, {0x10, 0x21, 0x01}, {0x80, 0x18, 0x41}},
        {24, 5, c, {0xFF, 0x01, 0x80}, {0xF0, 0x01, 0x80}},
        {24, 6, c, {0x0F, 0x10, 0x00}, {0xFF, 0x1F, 0x81}},
        {24, 7, c, {0x0F, 0x10, 0x01}, {0xFF, 0x1F, 0x80}},
        {24, 8, c, {9, 9, 9}, {9, 9, 9}},  // unknown modes leave the pixel
        {32, 0, d, {9, 9, 9, 9}, {0x40, 1, 2, 3}},
        {32, 1, {0, 200, 200, 200}, {9, 10, 20, 30}, {9, 10, 20, 30}},
        {32, 1, {255, 200, 100, 0}, {9, 10, 20, 30}, {9, 200, 100, 0}},
        // Two separately truncated quotients: 200*128/255 = 100, 10*127/255 = 4.
        {32, 1, {128, 200, 200, 200}, {9, 10, 10, 10}, {9, 104, 104, 104}},
        {32, 2, d, {9, 9, 9, 9}, {0xFF, 1, 2, 3}},
        {32, 3, d, {9, 9, 9, 9}, {9, 1, 2, 3}},
        {32, 4, {0x40, 10, 20, 31}, {9, 20, 40, 0}, {9, 15, 30, 15}},
        {32, 7, d, {9, 1, 2, 3}, {9, 0, 0, 0}},
        {32, 9, d, {9, 8, 8, 8}, {9, 8, 8, 8}},
    };
    created(0, 24, 32, 32);
    created(1, 32, 32, 32);
    EXPECT_EQ(Bytes(memoryat(record(1).MemoryStart), memoryat(record(1).MemoryStart) + 4),
              (Bytes{0xFF, 0, 0, 0}));  // a new window is opaque black
    for (const t_Case& row : cases) {
        SCOPED_TRACE(testing::Message() << row.Depth << " bits, mode " << row.Mode);
        const uint8_t window = row.Depth == 24 ? 0 : 1;
        uint8_t* p = memoryat(record(window).MemoryStart);
        std::copy(row.Old.begin(), row.Old.end(), p);
        setdrawing(window, row.Colour, row.Mode);
        g_Plot(window, 0, 0);
        EXPECT_EQ(Bytes(p, p + row.New.size()), row.New);
    }
    EXPECT_EQ(g_Scrn(1, 0, 0), 15);
    // An unknown mode still moves the position; outside nothing moves it.
    g_Plot(0, 5, 6);
    g_Plot(0, -1, 5);
    g_Plot(0, 32, 5);
    EXPECT_EQ(record(0).PositionY, 6);
}

TEST_F(PlotTest, PaletteAndGreyDepths) {
    created(1, 1, 32, 32);
    const uint8_t* one = memoryat(record(1).MemoryStart);
    { FrameworkLock lock; framework.windows[1].TextColor = 0x90; }
    g_Plot(1, 9, 1);
    EXPECT_EQ(one[4 + 1], 0x40);  // row 1 starts 4 bytes in; x 9 is bit 6 of its second byte
    EXPECT_EQ(g_Scrn(1, 9, 1), 15);
    EXPECT_EQ(g_Scrn<t_RGBColor>(1, 9, 1), palettecolor(15));
    { FrameworkLock lock; framework.windows[1].TextColor = 0x8F; }
    g_Plot(1, 9, 1);
    EXPECT_EQ(one[5], 0);

    created(2, 4, 32, 32);
    uint8_t* four = memoryat(record(2).MemoryStart);
    t_Color(2, 12);
    for (const auto& [x, after] : {std::pair{0, 0xC5}, std::pair{1, 0x3C}}) {
        four[0] = 0x35;
        g_Plot(2, x, 0);
        EXPECT_EQ(four[0], after) << x;
    }
    EXPECT_EQ(g_Scrn(2, 0, 0), 3);
    EXPECT_EQ(g_Scrn<t_RGBColor>(2, 1, 0), palettecolor(12));

    // The mode does not apply to grey depths; grey is the mean of the colour.
    for (const uint8_t window : {3, 4}) {
        created(window, window == 3 ? 8 : 16, 32, 32);
        setdrawing(window, {0x77, 30, 60, 91}, 7);
        g_Plot(window, 1, 0);
    }
    EXPECT_EQ(memoryat(record(3).MemoryStart)[1], 60);
    EXPECT_EQ(g_Scrn<t_RGBColor>(3, 1, 0), (t_RGBColor{0, 60, 60, 60}));  // the alpha is lost
    EXPECT_EQ(g_Scrn(3, 1, 0), 0);
    EXPECT_EQ(Bytes(memoryat(record(4).MemoryStart) + 2, memoryat(record(4).MemoryStart) + 4), (Bytes{0x77, 60}));
    EXPECT_EQ(g_Scrn<t_RGBColor>(4, 1, 0), (t_RGBColor{0x77, 60, 60, 60}));
}

TEST_F(PlotTest, GuardsReportAndChangeNothing) {
    created(0, 24, 32, 32);
    testing::internal::CaptureStdout();
    g_Plot(8, 0, 0);
    g_Line(1, 0, 0, 5, 5);
    EXPECT_EQ(g_Scrn(255, 0, 0), 0);
    EXPECT_EQ(g_Scrn<t_RGBColor>(7, 0, 0), (t_RGBColor{255, 0, 0, 0}));
    EXPECT_EQ(g_Scrn<t_RGBColor>(0, 40, 0), (t_RGBColor{255, 0, 0, 0}));
    { FrameworkLock lock; framework.windows[0].BitDepth = 12; }
    g_Plot(0, 3, 4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "g_Plot: Window is not a graphic window.\n"
              "g_Line: Graphic window #1 not initialized.\n"
              "g_Scrn: Window is not a graphic window.\n"
              "g_Scrn: Graphic window #7 not initialized.\n"
              "g_Plot: Illegal bit depth (12).\n");
    EXPECT_EQ(record(0).PositionX, 3);
}
