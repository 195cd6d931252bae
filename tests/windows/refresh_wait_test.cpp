// t_WaitRefresh: a frame drawn, then shown, before the wait returns; and never a wait that
// outlives a window that shows nothing or the application.
#include <thread>

#include "core/application_end.h"
#include "core/clock.h"
#include "graphics/plot.h"
#include "tests/windows/window_fixture.h"
#include "windows/display_refresh.h"
#include "windows/refresh_wait.h"

TEST_F(WindowTest, WaitRefreshReturnsOnceTheFrameIsShown) {
    created(0, 24, 64, 64);
    t_WindowVisible(0, true);
    for (int64_t frame = 0; frame < 5; ++frame) {
        g_Line(0, 0, frame, 63, frame);
        const uint64_t shown = picturesshown(0), converted = imagesshown(0);
        t_WaitRefresh(0);
        EXPECT_GT(picturesshown(0), shown) << "frame " << frame;
        EXPECT_GT(imagesshown(0), converted) << "the changed picture was converted for it";
    }
    EXPECT_EQ(logof([] {
                  t_WaitRefresh(8);
                  t_WaitRefresh(5);
              }),
              "t_WaitRefresh: Window is not a graphic window.\nt_WaitRefresh: Window #5 not initialized.\n");
}

// Hidden, or without automatic updates, a window shows no picture: the wait takes one period.
// A quit ends even that at once.
TEST_F(WindowTest, WaitRefreshWithoutPicturesIsBounded) {
    created(1, 8, 64, 64);  // hidden
    logof([] { t_InitGraphicWindow(2, 8, false, 64, 64, 0, 0, t_Font{}, true); });
    t_WindowVisible(2, true);
    for (const uint8_t window : {uint8_t{1}, uint8_t{2}}) {
        const int64_t start = nowmilliseconds();
        t_WaitRefresh(window);
        EXPECT_GE(nowmilliseconds() - start, 1000 / 30 - 1) << "an animation keeps its pace: " << int{window};
    }
    struct Resume {
        ~Resume() { resetquitfortests(); }
    } resume;
    t_WindowRefreshRate(1, 1);  // a second a period
    std::thread quitter([] {
        sleepms(20);
        noteapplicationquit();
    });
    const int64_t start = nowmilliseconds();
    t_WaitRefresh(1);
    quitter.join();
    EXPECT_LT(nowmilliseconds() - start, 900);
}
