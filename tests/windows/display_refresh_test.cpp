// The refresh thread: which windows it redraws and when, how soon a change is shown after a
// quiet spell or a long period, and what the views are told.

#include <array>
#include <atomic>
#include <functional>
#include <span>
#include <tuple>

#include "core/clock.h"
#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/display_refresh.h"
#include "windows/refresh_wait.h"

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

// Pixels written through the program's own span, with no change noted, are on screen a period
// later, every time: a window whose memory the program holds is drawn each period.
TEST_F(WindowTest, PixelsWrittenThroughTheSpanShowAtTheNextPeriod) {
    created(0, 24, 64, 64);
    ASSERT_TRUE(shown(0));
    const std::span<uint8_t> pixels = g_GraphicMemory(0);
    ASSERT_EQ(pixels.size(), 64u * 64 * 3);
    for (int round = 0; round < 4; ++round) {
        sleepms(120);
        const uint64_t before = imagesshown(0);
        {
            FrameworkLock lock;  // only so that a race checker sees no race with the view's reading
            pixels[static_cast<size_t>(round)] = 0xFF;
        }
        EXPECT_TRUE(redrawn(0, before, 100)) << "round " << round;
    }
}

// A change after a quiet spell is drawn at once, not a period later: after quiet marks (which
// make no picture: UpdateFinished and UpdateDuration stay those of the last one), when the
// window is re-rated while the thread waits out a second, and when the wall clock is set back
// an hour (periods count on a steady clock; the record shows the wall clock's time).
TEST_F(WindowTest, AChangeAfterAQuietSpellShowsAtOnce) {
    const std::tuple<const char*, int64_t, std::function<void()>> rows[] = {
        {"quiet marks", 4, [] {
             const t_Window quiet = record(0);
             const uint64_t images = imagesshown(0), frames = picturesshown(0);
             ASSERT_TRUE(eventually([&quiet] { return record(0).UpdateStarted > quiet.UpdateStarted; }, 500));
             EXPECT_EQ((std::array{record(0).UpdateFinished, record(0).UpdateDuration}),
                       (std::array{quiet.UpdateFinished, quiet.UpdateDuration}));
             EXPECT_EQ(imagesshown(0), images);
             EXPECT_GT(picturesshown(0), frames);
             g_Line(0, 3, 3, 5, 3);
         }},
        {"re-rated", 1, [] { g_Plot(0, 2, 2); t_WindowRefreshRate(0, 30); }},
        {"clock set back", 30, [] { shiftwallclockfortests(-3600 * 1000); g_Line(0, 3, 3, 5, 3); }},
    };
    for (const auto& [name, rate, change] : rows) {
        created(0, 24, 64, 64);
        t_WindowRefreshRate(0, rate);
        ASSERT_TRUE(shown(0)) << name;
        sleepms(150);  // the desktop's own first paints are over
        const uint64_t before = imagesshown(0);
        const int64_t finished = record(0).UpdateFinished;
        change();
        const int64_t changed = steadymilliseconds();
        const bool drawn = redrawn(0, before, 1000);
        const int64_t now = nowmilliseconds();
        shiftwallclockfortests(0);
        EXPECT_TRUE(drawn && steadymilliseconds() - changed < 150) << name;
        EXPECT_LE(record(0).UpdateStarted, now) << name;
        EXPECT_NE(record(0).UpdateFinished, finished) << name;
    }
    EXPECT_EQ(logof([] { t_WindowRefreshRate(9, 5); }), "t_WindowRefreshRate: Window is not a graphic window.\n");
}
