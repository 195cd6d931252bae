#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <set>
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
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, 0, 0, 3, 1);
    EXPECT_EQ(litpixels(0), (Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, 5, 5, 5, 5);
    EXPECT_EQ(litpixels(0), (Points{{5, 5}}));
    // The start at -1 rounds onto 0, so pixel (0, 0) is plotted twice: with XOR it cancels out.
    created(0, 24, 64, 64);
    t_Color(0, 15);
    setdrawing(0, palettecolor(15), 7);
    g_Line(0, -1, 0, 1, 0);
    EXPECT_EQ(litpixels(0), (Points{{1, 0}}));
    EXPECT_EQ(record(0).PositionX, 1);
}

TEST_F(PlotTest, LinesLeavingTheWindowKeepTheirInsidePart) {
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, -10, 20, 100, 20);
    Points row;
    for (int64_t x = 0; x < 64; ++x) row.insert({x, 20});
    EXPECT_EQ(litpixels(0), row);
    EXPECT_EQ(record(0).PositionX, 63);  // the end lies outside: the last inside point counts
}

TEST_F(PlotTest, FarLinesAreClippedNotWalked) {
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, INT64_MIN, 7, INT64_MAX, 7);
    g_Line(0, -1000000000000, -1000000000000, 1000000000000, 1000000000000);
    g_Line(0, 3, INT64_MAX, 3, INT64_MIN);
    Points expected;
    for (int64_t i = 0; i < 64; ++i) expected.insert({i, 7}), expected.insert({i, i}), expected.insert({3, i});
    EXPECT_EQ(litpixels(0), expected);
    // Slope 1/2 far beyond the window: y = trunc(x / 2 + 0.5) for each x.
    created(0, 24, 64, 64);
    t_Color(0, 15);
    g_Line(0, -200000, -100000, 200000, 100000);
    Points half;
    for (int64_t x = 0; x < 64; ++x) half.insert({x, (x + 1) / 2});
    EXPECT_EQ(litpixels(0), half);
}
