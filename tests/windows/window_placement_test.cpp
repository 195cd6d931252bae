// Where a window is and how big, read through its selectors, and how the text windows lay out
// when sized. Placement on screen, titles and sizing again and again are the desktop
// end-to-end tests'.

#include <QPlainTextEdit>

#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/ruler_line.h"
#include "tests/windows/window_fixture.h"

TEST_F(WindowTest, PositionSelectors) {
    created(2, 24, 640, 320, glyphfont(), 10);
    const host::t_Frame frame = host::windowframe(2), screen = host::screenframe(2);
    // A text screen of 40 x 10 cells in a drawing area of 640 x 320 with a border of 10.
    const std::pair<int64_t, int64_t> selectors[] = {
        {0, 1}, {1, 1}, {2, 40}, {3, 10}, {4, 40}, {5, 10}, {6, 40}, {7, 10}, {11, 340},
        {14, screen.Height - (340 + framework.titleheight) - frame.Y}, {15, screen.Width}, {21, 0}, {-1, 0}};
    for (const auto& [selector, value] : selectors) EXPECT_EQ(t_WindowPos(2, selector), value) << selector;
    // A host window answers from its frame.
    EXPECT_EQ(t_WindowPos(9, 2), host::windowframe(9).Width - 1);
    EXPECT_FALSE(host::viewexists(8));  // a text window has no graphic view
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_WindowPos(13, 8), 0);
                  t_WindowSize(3, -1, -1, 100, 100);
              }),
              "t_WindowPos: Window does not exist.\nt_WindowSize: Window #3 not initialized.\n");
}

// Sized by the program, the text windows lay out their ruler and text view below the menu bar,
// inside the window, also when it is small.
TEST_F(WindowTest, TextWindowsLayOutInsideWhatTheyHave) {
    for (uint8_t window = 8; window <= 10; ++window) {
        host::showwindow(window, true);
        t_WindowSize(window, 100, 100, 300, 200);
        host::runsync([window] {
            const t_TextWindowParts* parts = textwindow(window);
            const QRect inside = parts->Window->rect().adjusted(0, menubarheight(), 0, 0);
            EXPECT_TRUE(inside.contains(parts->TextView->geometry())) << int(window);
            EXPECT_TRUE(parts->Ruler == nullptr || inside.contains(parts->Ruler->geometry())) << int(window);
        });
        host::showwindow(window, false);
    }
}
