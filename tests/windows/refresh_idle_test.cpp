// The refresh thread leaves an unchanged picture alone, keeps its frame signal going, and shows
// a change at once after a quiet spell.
#include <gtest/gtest.h>

#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/display_refresh.h"
#include "windows/window_placement.h"

TEST_F(WindowTest, QuietPictureKeepsItsFrameSignalAndShowsAChangeAtOnce) {
    const uint64_t earlier = imagesshown(0);  // the count goes on from test to test
    created(0, 24, 64, 64);
    {
        FrameworkLock lock;
        framework.windows[0].RefreshRate = 4;  // a long period, so "at once" and "next period" differ
    }
    t_WindowVisible(0, true);
    ASSERT_TRUE(eventually([earlier] { return imagesshown(0) > earlier; }));
    // Showing may paint once more by itself (the desktop's expose): let a turn pass first.
    const int64_t shown = record(0).UpdateStarted;
    ASSERT_TRUE(eventually([shown] { return record(0).UpdateStarted > shown; }));
    sleepms(100);  // a redraw marked at that turn reaches the view
    // Two periods without a change: the timing fields advance as a frame signal, nothing is drawn.
    const int64_t drawnstart = record(0).UpdateStarted;
    const uint64_t images = imagesshown(0);
    ASSERT_TRUE(eventually([drawnstart] { return record(0).UpdateStarted >= drawnstart + 500; }));
    EXPECT_GE(record(0).UpdateFinished, record(0).UpdateStarted);
    EXPECT_EQ(imagesshown(0), images);

    // Right after a tick the picture changes: it is drawn now, not at the next tick.
    const int64_t tick = record(0).UpdateStarted;
    g_Plot(0, 3, 3);
    ASSERT_TRUE(eventually([images] { return imagesshown(0) > images; }));
    EXPECT_LT(record(0).UpdateStarted - tick, 250);
}

TEST_F(WindowTest, EveryAutoUpdatingWindowSeesAChange) {
    // The change count is shared: a write to one window redraws the others too, never fewer.
    const uint64_t earlier0 = imagesshown(0), earlier1 = imagesshown(1);
    created(0, 24, 64, 64);
    logof([] { t_InitGraphicWindow(1, 8, true, 64, 64, 120, 16, t_Font{}, true); });
    t_WindowVisible(0, true);
    t_WindowVisible(1, true);
    ASSERT_TRUE(eventually([=] { return imagesshown(0) > earlier0 && imagesshown(1) > earlier1; }));
    sleepms(150);
    const uint64_t first = imagesshown(0), second = imagesshown(1);
    g_Line(1, 0, 0, 63, 63);
    EXPECT_TRUE(eventually([second] { return imagesshown(1) > second; }, 500));
    EXPECT_TRUE(eventually([first] { return imagesshown(0) > first; }, 500));
}
