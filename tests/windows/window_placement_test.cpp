#include <gtest/gtest.h>

#include <vector>

#include "core/framework_state.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_placement.h"

TEST_F(WindowTest, PositionSelectors) {
    created(2, 24, 640, 320, glyphfont(), 10);
    const int64_t title = framework.titleheight;
    EXPECT_EQ(t_WindowPos(2, 5), 10);
    EXPECT_EQ(t_WindowPos(2, 11), 340);
    EXPECT_EQ(t_WindowPos(2, 12), 340 + title);
    EXPECT_EQ(t_WindowPos(2, 21), 0);
    EXPECT_EQ(t_WindowPos(2, -1), 0);
    const host::t_Frame frame = host::windowframe(2), screen = host::screenframe(2);
    EXPECT_EQ(t_WindowPos(2, 13), frame.X);
    EXPECT_EQ(t_WindowPos(2, 14), screen.Height - (340 + title) - frame.Y);
    // Hiding the title takes it out of the frame height at once; the host window keeps its size.
    t_WindowTitleVisible(2, false);
    EXPECT_EQ(t_WindowPos(2, 17), 0);
    EXPECT_EQ(t_WindowPos(2, 12), 340);
    EXPECT_EQ(t_WindowPos(2, 9), 320);
    // Host windows answer from their frames; a graphic window never created has no text screen.
    for (uint8_t window = 8; window <= 12; ++window) {
        const host::t_Frame hostframe = host::windowframe(window);
        EXPECT_EQ(t_WindowPos(window, 2), hostframe.Width - 1);
        EXPECT_EQ(t_WindowPos(window, 9), hostframe.Height - title);
        EXPECT_EQ(t_WindowPos(window, 18), 0);
    }
    EXPECT_EQ(t_WindowPos(5, 6), 0);
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_WindowPos(13, 8), 0);
                  EXPECT_EQ(t_WindowTitle(200), "");
                  t_WindowVisible(255, true);
                  t_WindowSize(13, 0, 0, 100, 100);
              }),
              "t_WindowPos: Window does not exist.\nt_WindowTitle: Window does not exist.\n"
              "t_WindowVisible: Window does not exist.\nt_WindowSize: Window does not exist.\n");
}

TEST_F(WindowTest, SizingAndVisibility) {
    created(1, 24, 200, 100, t_Font{}, 8);
    // The user's resizing is undone by sizing to the drawing area again.
    host::setwindowframe(1, {50, 60, 500, 500});
    t_WindowSize(1, -1, -1, -1, -1);
    EXPECT_EQ(host::windowframe(1).Width, 216);
    EXPECT_EQ(host::windowframe(1).Height, 116 + framework.titleheight);

    t_WindowFront(1);
    EXPECT_TRUE(record(1).Visible);
    EXPECT_TRUE(host::windowisvisible(1));
    t_WindowVisible(1, false);
    EXPECT_FALSE(host::windowisvisible(1));
    EXPECT_EQ(record(1).UpdateDuration, 0);

    EXPECT_EQ(logof([] { t_WindowSize(3, -1, -1, 100, 100); }), "t_WindowSize: Window #3 not initialized.\n");
}

TEST_F(WindowTest, TitleHeightFollowsTheDesktopAndSizingWithMinusOneKeepsTheWindow) {
    created(1, 24, 200, 100, t_Font{}, 8);
    created(2, 24, 120, 60, t_Font{}, 4);
    t_WindowTitleVisible(2, false);
    // A window manager that frames the first shown window makes every titled window's title taller.
    const int64_t launch = framework.titleheight;
    hostcalls::titleheightchanged(launch + 25);
    EXPECT_EQ(t_WindowPos(1, 17), launch + 25);
    EXPECT_EQ(t_WindowPos(1, 9), 100);
    EXPECT_EQ(t_WindowPos(2, 17), 0);
    hostcalls::titleheightchanged(launch);  // this desktop has no window manager

    t_WindowSize(1, 100, 200, -1, -1);
    t_WindowSize(2, 400, 200, -1, -1);
    for (int round = 0; round < 3; ++round) {
        t_WindowSize(1, -1, -1, -1, -1);
        t_WindowSize(2, -1, -1, -1, -1);
        const host::t_Frame one = host::windowframe(1), two = host::windowframe(2);
        EXPECT_EQ(std::vector<int64_t>({one.X, one.Y, one.Width, one.Height}), std::vector<int64_t>({100, 200, 216, 116 + launch}));
        // A title-less window is its drawing area and border, nothing above them.
        EXPECT_EQ(std::vector<int64_t>({two.X, two.Y, two.Width, two.Height}), std::vector<int64_t>({400, 200, 128, 68}));
    }
}
