#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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

class PlotTest : public WindowTest {};

}  // namespace

TEST_F(PlotTest, LinesPlotTheSpecifiedPoints) {
    // The start at -1 rounds onto 0, so pixel (0, 0) is plotted twice: with XOR it cancels out.
    const std::tuple<std::array<int64_t, 4>, int64_t, Points> cases[] = {
        {{0, 0, 3, 1}, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{5, 5, 5, 5}, 0, {{5, 5}}},
        {{-1, 0, 1, 0}, 7, {{1, 0}}},
    };
    for (const auto& [line, mode, lit] : cases) {
        created(0, 24, 64, 64);
        t_Color(0, 15);  // the drawing colour follows the text colour
        setdrawing(0, record(0).RGBColor, mode);
        g_Line(0, line[0], line[1], line[2], line[3]);
        EXPECT_EQ(litpixels(0), lit);
        EXPECT_EQ(record(0).PositionX, line[2]);
    }
}

TEST_F(PlotTest, LinesLeavingTheWindowAreClippedNotWalked) {
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, -10, 20, 100, 20);
    EXPECT_EQ(record(0).PositionX, 63);  // the end lies outside: the last inside point counts
    g_Line(0, INT64_MIN, 7, INT64_MAX, 7);
    g_Line(0, -1000000000000, -1000000000000, 1000000000000, 1000000000000);
    g_Line(0, 3, INT64_MAX, 3, INT64_MIN);
    Points expected;
    for (int64_t i = 0; i < 64; ++i) expected.insert({{i, 20}, {i, 7}, {i, i}, {3, i}});
    EXPECT_EQ(litpixels(0), expected);
    // Slope 1/2 far beyond the window: y = trunc(x / 2 + 0.5) for each x.
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, -200000, -100000, 200000, 100000);
    Points half;
    for (int64_t x = 0; x < 64; ++x) half.insert({x, (x + 1) / 2});
    EXPECT_EQ(litpixels(0), half);
}

TEST_F(PlotTest, DrawingModesAt24Bits) {
    created(0, 24, 32, 32);
    uint8_t* p = memoryat(record(0).MemoryStart);
    const auto plotwith = [&](int64_t mode, t_RGBColor c, std::array<uint8_t, 3> old) {
        std::copy(old.begin(), old.end(), p);
        setdrawing(0, c, mode);
        g_Plot(0, 0, 0);
        return std::array<uint8_t, 3>{p[0], p[1], p[2]};
    };
    const t_RGBColor c{7, 0xF0, 0x0F, 0x81};
    using B = std::array<uint8_t, 3>;
    EXPECT_EQ(plotwith(0, c, {1, 2, 3}), (B{0xF0, 0x0F, 0x81}));
    EXPECT_EQ(plotwith(1, c, {0x10, 0x21, 0x01}), (B{0x80, 0x18, 0x41}));
    EXPECT_EQ(plotwith(5, c, {0xFF, 0x01, 0x80}), (B{0xF0, 0x01, 0x80}));
    EXPECT_EQ(plotwith(6, c, {0x0F, 0x10, 0x00}), (B{0xFF, 0x1F, 0x81}));
    EXPECT_EQ(plotwith(7, c, {0x0F, 0x10, 0x01}), (B{0xFF, 0x1F, 0x80}));
    g_Plot(0, 0, 0);  // XOR again restores the pixel
    EXPECT_EQ((B{p[0], p[1], p[2]}), (B{0x0F, 0x10, 0x01}));
    // An unknown mode leaves the pixel but still moves the position; outside nothing moves it.
    g_Plot(0, 5, 6);
    EXPECT_EQ(plotwith(8, c, {9, 9, 9}), (B{9, 9, 9}));
    EXPECT_EQ(plotwith(-1, c, {9, 9, 9}), (B{9, 9, 9}));
    EXPECT_EQ(record(0).PositionX, 0);
    g_Plot(0, -1, 5);
    g_Plot(0, 32, 5);
    EXPECT_EQ(record(0).PositionY, 0);
}

TEST_F(PlotTest, DrawingModesAt32BitsAndTheAlphaByte) {
    created(0, 32, 32, 32);
    uint8_t* p = memoryat(record(0).MemoryStart);
    using B = std::array<uint8_t, 4>;
    const auto plotwith = [&](int64_t mode, t_RGBColor c, B old) {
        std::copy(old.begin(), old.end(), p);
        setdrawing(0, c, mode);
        g_Plot(0, 0, 0);
        return B{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(B({p[0], p[1], p[2], p[3]}), (B{0xFF, 0, 0, 0}));  // a new window is opaque black
    EXPECT_EQ(plotwith(0, {0x40, 1, 2, 3}, {9, 9, 9, 9}), (B{0x40, 1, 2, 3}));
    EXPECT_EQ(plotwith(1, {0, 200, 200, 200}, {9, 10, 20, 30}), (B{9, 10, 20, 30}));
    EXPECT_EQ(plotwith(1, {255, 200, 100, 0}, {9, 10, 20, 30}), (B{9, 200, 100, 0}));
    // Two separately truncated quotients: 200*128/255 = 100, 10*127/255 = 4.
    EXPECT_EQ(plotwith(1, {128, 200, 200, 200}, {9, 10, 10, 10}), (B{9, 104, 104, 104}));
    EXPECT_EQ(plotwith(2, {0x40, 1, 2, 3}, {9, 9, 9, 9}), (B{0xFF, 1, 2, 3}));
    EXPECT_EQ(plotwith(3, {0x40, 1, 2, 3}, {9, 9, 9, 9}), (B{9, 1, 2, 3}));
    EXPECT_EQ(plotwith(4, {0x40, 10, 20, 31}, {9, 20, 40, 0}), (B{9, 15, 30, 15}));
    EXPECT_EQ(plotwith(7, {0x40, 1, 2, 3}, {9, 1, 2, 3}), (B{9, 0, 0, 0}));
    EXPECT_EQ(plotwith(9, {0x40, 1, 2, 3}, {9, 8, 8, 8}), (B{9, 8, 8, 8}));
    EXPECT_EQ(g_Scrn(0, 0, 0), 15);
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
    four[0] = 0x35;
    t_Color(2, 12);
    g_Plot(2, 0, 0);
    EXPECT_EQ(four[0], 0xC5);
    four[0] = 0x35;
    g_Plot(2, 1, 0);
    EXPECT_EQ(four[0], 0x3C);
    EXPECT_EQ(g_Scrn(2, 0, 0), 3);
    EXPECT_EQ(g_Scrn<t_RGBColor>(2, 1, 0), palettecolor(12));

    created(3, 8, 32, 32);
    setdrawing(3, {0x77, 30, 60, 91}, 7);  // the mode does not apply to grey depths
    g_Plot(3, 2, 0);
    EXPECT_EQ(memoryat(record(3).MemoryStart)[2], 60);
    EXPECT_EQ(g_Scrn<t_RGBColor>(3, 2, 0), (t_RGBColor{0, 60, 60, 60}));  // the alpha is lost
    EXPECT_EQ(g_Scrn(3, 2, 0), 0);
    created(4, 16, 32, 32);
    setdrawing(4, {0x77, 30, 60, 91}, 7);
    g_Plot(4, 1, 0);
    EXPECT_EQ(memoryat(record(4).MemoryStart)[2], 0x77);
    EXPECT_EQ(memoryat(record(4).MemoryStart)[3], 60);
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
