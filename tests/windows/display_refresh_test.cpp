// The refresh thread: which windows it redraws and when, how soon a change is shown after a
// quiet spell or a long period, and what the views are told.

#include <atomic>

#include "core/clock.h"
#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/display_refresh.h"

namespace {

// True once the window's view has drawn an image after the `before` it had drawn (the count
// goes on from test to test).
bool redrawn(uint8_t window, uint64_t before, int64_t milliseconds = 2000) {
    return eventually([=] { return imagesshown(window) > before; }, milliseconds);
}

// Shows a created window and waits for its first image (at a rate of 1 it may come a second
// later).
bool shown(uint8_t window) {
    const uint64_t before = imagesshown(window);
    t_WindowVisible(window, true);
    return redrawn(window, before, 3000);
}

}  // namespace

TEST_F(WindowTest, ContinuousDrawingGetsOneRedrawAPeriod) {
    created(0, 24, 64, 64);
    logof([] { t_InitGraphicWindow(2, 24, false, 64, 64, 4, 4, t_Font{}, true); });
    t_WindowVisible(2, true);
    ASSERT_TRUE(shown(0));
    sleepms(100);  // the host's own first paints are over
    std::atomic<bool> drawing{true};
    std::thread painter([&] {
        for (int64_t x = 0; drawing; ++x) {
            g_Plot(0, x & 63, 5);
            sleepms(1);  // many changes a period, and room for the view to take the lock
        }
    });
    const uint64_t before = imagesshown(0);
    const int64_t start = nowmilliseconds();
    sleepms(600);
    const uint64_t images = imagesshown(0) - before;
    const int64_t elapsed = nowmilliseconds() - start;
    drawing = false;
    painter.join();
    EXPECT_GE(images, 2u);
    EXPECT_LE(images, static_cast<uint64_t>(elapsed / 33 + 2));
    // A window without automatic updates is left to its program, whatever the others do; a
    // forced redraw shows it at once.
    EXPECT_EQ(record(2).UpdateStarted, 0);
    t_WindowUpdate(2, false);
    EXPECT_NE(record(2).UpdateFinished, 0);
    EXPECT_EQ(logof([] { t_WindowUpdate(9, true); }), "t_WindowUpdate: Window is not a graphic window.\n");
}

TEST_F(WindowTest, QuietPictureKeepsItsFrameSignalAndShowsAChangeAtOnce) {
    created(0, 24, 64, 64);
    t_WindowRefreshRate(0, 4);  // a long period, so "at once" and "next period" differ
    ASSERT_TRUE(shown(0));
    // Showing may paint once more by itself (the desktop's expose): let a turn pass first.
    const int64_t shownat = record(0).UpdateStarted;
    ASSERT_TRUE(eventually([shownat] { return record(0).UpdateStarted > shownat; }));
    sleepms(100);  // a redraw marked at that turn reaches the view
    // A period without a change: the timing fields advance as a frame signal, nothing is drawn.
    // One period only: the unchanged picture's own redraw a second after showing stays far off.
    const int64_t drawnstart = record(0).UpdateStarted;
    const uint64_t images = imagesshown(0);
    ASSERT_TRUE(eventually([drawnstart] { return record(0).UpdateStarted > drawnstart; }));
    EXPECT_GE(record(0).UpdateFinished, record(0).UpdateStarted);
    EXPECT_EQ(imagesshown(0), images);

    // Right after a tick the picture changes (by a line: plots are watched above): it is drawn
    // now, not at the next tick.
    const int64_t tick = record(0).UpdateStarted;
    g_Line(0, 3, 3, 5, 3);
    ASSERT_TRUE(redrawn(0, images));
    EXPECT_LT(record(0).UpdateStarted - tick, 250);
}

TEST_F(WindowTest, WindowReratedWhileTheThreadSleepsIsServedAtOnce) {
    created(0, 24, 64, 64);
    t_WindowRefreshRate(0, 1);  // the thread has nothing to do for a second
    // Re-rated while the thread waits out window 0's second: its next change is shown at once.
    ASSERT_TRUE(shown(0));  // the second starts now
    g_Plot(0, 2, 2);
    const uint64_t before = imagesshown(0);
    const int64_t rerated = nowmilliseconds();
    t_WindowRefreshRate(0, 30);
    ASSERT_TRUE(redrawn(0, before));
    EXPECT_LT(nowmilliseconds() - rerated, 100);
    EXPECT_EQ(logof([] { t_WindowRefreshRate(9, 5); }), "t_WindowRefreshRate: Window is not a graphic window.\n");
}
