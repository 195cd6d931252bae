// Where a window is and how big, read through its selectors, and how sizing, visibility and the
// title change it.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <array>

#include "core/framework_state.h"
#include "host/host.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/ruler_line.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_placement.h"

namespace {

std::array<int64_t, 4> frameof(uint8_t window) {
    const host::t_Frame frame = host::windowframe(window);
    return {frame.X, frame.Y, frame.Width, frame.Height};
}

}  // namespace

TEST_F(WindowTest, PositionSelectors) {
    created(2, 24, 640, 320, glyphfont(), 10);
    const int64_t title = framework.titleheight;
    const host::t_Frame frame = host::windowframe(2), screen = host::screenframe(2);
    // A text screen of 40 x 10 cells in a drawing area of 640 x 320 with a border of 10.
    const std::pair<int64_t, int64_t> selectors[] = {
        {0, 1},      {1, 1},      {2, 40},          {3, 10},          {4, 40},
        {5, 10},     {6, 40},     {7, 10},          {8, 640},         {9, 320},
        {10, 660},   {11, 340},   {12, 340 + title}, {13, frame.X},    {14, screen.Height - (340 + title) - frame.Y},
        {15, screen.Width},       {16, screen.Height}, {17, title},    {18, 10},
        {19, 10},    {20, frame.Y}, {21, 0},        {-1, 0}};
    for (const auto& [selector, value] : selectors) EXPECT_EQ(t_WindowPos(2, selector), value) << selector;
    // Hiding the title takes it out of the frame height at once; the host window keeps its size.
    t_WindowTitleVisible(2, false);
    EXPECT_EQ((std::array{t_WindowPos(2, 17), t_WindowPos(2, 12), t_WindowPos(2, 9)}), (std::array<int64_t, 3>{0, 340, 320}));
    // Host windows answer from their frames; a graphic window never created has no text screen.
    for (uint8_t window = 8; window <= 12; ++window) {
        EXPECT_EQ(t_WindowPos(window, 2), host::windowframe(window).Width - 1);
        EXPECT_EQ(t_WindowPos(window, 9), host::windowframe(window).Height - title);
        EXPECT_EQ(t_WindowPos(window, 18), 0);
    }
    EXPECT_EQ(t_WindowPos(5, 6), 0);
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_WindowPos(13, 8), 0);
                  EXPECT_EQ(t_WindowTitle(200), "");
                  t_WindowVisible(255, true);
                  t_WindowSize(13, 0, 0, 100, 100);
                  t_WindowSize(3, -1, -1, 100, 100);
              }),
              "t_WindowPos: Window does not exist.\nt_WindowTitle: Window does not exist.\n"
              "t_WindowVisible: Window does not exist.\nt_WindowSize: Window does not exist.\n"
              "t_WindowSize: Window #3 not initialized.\n");
}

// Sizing with -1 to the drawing area undoes the user's resizing; a title-less window is its
// drawing area and border, nothing above them. (Sizing again and again, under a window manager,
// is the desktop end-to-end test's.)
TEST_F(WindowTest, SizingAndVisibility) {
    created(1, 24, 200, 100, t_Font{}, 8);
    created(2, 24, 120, 60, t_Font{}, 4);
    t_WindowTitleVisible(2, false);
    t_WindowSize(2, 400, 200, -1, -1);
    host::setwindowframe(1, {100, 200, 500, 500});
    t_WindowSize(1, -1, -1, -1, -1);
    EXPECT_EQ(frameof(1), (std::array<int64_t, 4>{100, 200, 216, 116 + framework.titleheight}));
    EXPECT_EQ(frameof(2), (std::array<int64_t, 4>{400, 200, 128, 68}));

    t_WindowFront(1);
    EXPECT_TRUE(record(1).Visible);
    EXPECT_TRUE(host::windowisvisible(1));
    t_WindowVisible(1, false);
    EXPECT_FALSE(host::windowisvisible(1));
    EXPECT_EQ(record(1).UpdateDuration, 0);
}

// Sized by the program, the text windows lay out their ruler and text view below the menu bar,
// inside the window, whatever size the window is given.
TEST_F(WindowTest, TextWindowsLayOutInsideWhatTheyHave) {
    for (uint8_t window = 8; window <= 10; ++window) {
        host::showwindow(window, true);
        for (const host::t_Frame frame : {host::t_Frame{100, 100, 300, 200}, host::t_Frame{50, 80, 900, 700}}) {
            t_WindowSize(window, frame.X, frame.Y, frame.Width, frame.Height);
            host::runsync([window] {
                const t_TextWindowParts* parts = textwindow(window);
                const QRect inside = parts->Window->rect().adjusted(0, menubarheight(), 0, 0);
                EXPECT_TRUE(inside.contains(parts->TextView->geometry())) << int(window);
                if (parts->Ruler != nullptr) {
                    EXPECT_TRUE(inside.contains(parts->Ruler->geometry())) << int(window);
                }
            });
        }
        host::showwindow(window, false);
    }
}
