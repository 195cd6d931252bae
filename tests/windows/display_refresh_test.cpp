#include <gtest/gtest.h>

#include "host/framework_calls.h"
#include "tests/windows/window_fixture.h"
#include "windows/display_refresh.h"
#include "windows/window_placement.h"

TEST_F(WindowTest, RefreshThreadRedrawsOnlyAutoUpdatingWindows) {
    created(0, 24, 64, 64);
    logof([] { t_InitGraphicWindow(1, 24, false, 64, 64, 4, 4, t_Font{}, true); });
    t_WindowVisible(0, true);
    t_WindowVisible(1, true);
    ASSERT_TRUE(framework.autoupdaterunning);
    // Window 0 is marked again and again at its rate; its view builds an image each time.
    ASSERT_TRUE(eventually([] { return record(0).UpdateStarted != 0 && record(0).UpdateFinished != 0; }));
    const int64_t first = record(0).UpdateStarted;
    EXPECT_TRUE(eventually([first] { return record(0).UpdateStarted >= first + 33; }));
    EXPECT_TRUE(record(0).VerticalBlank);  // only while the view copies the image is it false
    EXPECT_EQ(record(1).UpdateStarted, 0);
    // A forced redraw shows window 1 at once.
    t_WindowUpdate(1, false);
    EXPECT_NE(record(1).UpdateFinished, 0);
}

TEST_F(WindowTest, ViewQuestionsAndForcedRedrawMessages) {
    EXPECT_FALSE(hostcalls::viewwantsupdatelayer(0));  // not ready yet
    EXPECT_EQ(logof([] { t_WindowUpdate(9, true); }), "");  // before the framework is ready: nothing at all
    created(0, 8, 64, 64);
    EXPECT_TRUE(hostcalls::viewwantsupdatelayer(0));
    EXPECT_FALSE(hostcalls::viewwantsupdatelayer(3));
    EXPECT_FALSE(hostcalls::viewwantsupdatelayer(8));
    EXPECT_EQ(logof([] {
                  t_WindowUpdate(9, true);
                  t_WindowUpdate(3, true);  // not created: the view is still there, so no message
              }),
              "t_WindowUpdate: Window is not a graphic window.\n");
    int drawn = 0;
    hostcalls::viewimage(3, [&](const uint32_t*, int, int) { ++drawn; });
    hostcalls::viewimage(0, [&](const uint32_t*, int, int) { ++drawn; });  // created but hidden
    EXPECT_EQ(drawn, 0);
}
