// The refresh thread leaves an unchanged picture alone and redraws it as soon as pixels change.
#include <gtest/gtest.h>

#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_placement.h"

TEST_F(WindowTest, UnchangedPictureIsNotRedrawnUntilPixelsChange) {
    created(0, 24, 64, 64);
    t_WindowVisible(0, true);
    // The first period after showing builds a picture.
    ASSERT_TRUE(eventually([] { return record(0).UpdateFinished != 0; }));
    sleepms(100);
    const int64_t shown = record(0).UpdateFinished;
    const int64_t period = record(0).UpdateStarted;
    sleepms(300);
    // Periods go on (a missing view would still be reported once a period), but nothing is drawn.
    EXPECT_GT(record(0).UpdateStarted, period);
    EXPECT_EQ(record(0).UpdateFinished, shown);

    // A plotted pixel is on screen within a few periods.
    g_Plot(0, 3, 3);
    EXPECT_TRUE(eventually([shown] { return record(0).UpdateFinished > shown; }, 500));
    const int64_t plotted = record(0).UpdateFinished;

    // Even with no change at all, the picture is rebuilt about once a second.
    EXPECT_TRUE(eventually([plotted] { return record(0).UpdateFinished > plotted; }, 1600));
}

TEST_F(WindowTest, EveryAutoUpdatingWindowSeesAChange) {
    // The change count is shared: a write to one window redraws the others too, never fewer.
    created(0, 24, 64, 64);
    logof([] { t_InitGraphicWindow(1, 8, true, 64, 64, 120, 16, t_Font{}, true); });
    t_WindowVisible(0, true);
    t_WindowVisible(1, true);
    ASSERT_TRUE(eventually([] { return record(0).UpdateFinished != 0 && record(1).UpdateFinished != 0; }));
    sleepms(150);
    const int64_t first = record(0).UpdateFinished, second = record(1).UpdateFinished;
    g_Line(1, 0, 0, 63, 63);
    EXPECT_TRUE(eventually([second] { return record(1).UpdateFinished > second; }, 500));
    EXPECT_TRUE(eventually([first] { return record(0).UpdateFinished > first; }, 500));
}
