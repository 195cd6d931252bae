// Where a window is and how big, read through its selectors, and how the text windows lay out
// when sized. Placement on screen, titles and sizing again and again are the desktop
// end-to-end tests'.

#include <QPlainTextEdit>

#include <array>

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
    EXPECT_FALSE(host::viewexists(8));  // a text window has no graphic view
    EXPECT_EQ(logof([] {
                  EXPECT_EQ(t_WindowPos(13, 8), 0);
                  t_WindowSize(3, -1, -1, 100, 100);
              }),
              "t_WindowPos: Window does not exist.\nt_WindowSize: Window #3 not initialized.\n");
}

// Every window answers as it did when all were made at start: text views are made when first
// needed, so a text window sized while hidden shows its view and ruler laid out below the menu
// bar once shown, and every window reports its frame and visibility the same before and after.
TEST_F(WindowTest, WindowsMadeWhenFirstNeededAnswerAsBefore) {
    for (uint8_t window = 8; window <= 12; ++window) {
        if (window <= 10) t_WindowSize(window, 100, 100, 300, 200);
        // The height may grow by the title bar the desktop draws once the window is shown.
        const std::array<int64_t, 3> hidden = {t_WindowPos(window, 0), t_WindowPos(window, 1), t_WindowPos(window, 2)};
        EXPECT_EQ(hidden[2] - hidden[0] + 1, host::windowframe(window).Width) << int(window);
        t_WindowVisible(window, true);
        EXPECT_TRUE(host::windowisvisible(window)) << int(window);
        EXPECT_EQ((std::array{t_WindowPos(window, 0), t_WindowPos(window, 1), t_WindowPos(window, 2)}), hidden) << int(window);
        const auto laidoutinside = [window] {
            host::runsync([window] {
                const t_TextWindowParts* parts = textwindowparts(window);
                if (parts == nullptr) return;
                const QRect inside = parts->Window->rect().adjusted(0, menubarheight(), 0, 0);
                ASSERT_NE(parts->TextView, nullptr) << int(window);
                EXPECT_TRUE(parts->TextView->isVisible() && inside.contains(parts->TextView->geometry())) << int(window);
                EXPECT_TRUE(parts->Ruler == nullptr ||
                            (parts->Ruler->isVisible() && inside.contains(parts->Ruler->geometry())))
                    << int(window);
            });
        };
        laidoutinside();
        // Sized while shown, the view is sized at once rather than by the next layout.
        if (window <= 10) t_WindowSize(window, 100, 100, 320, 220);
        laidoutinside();
        t_WindowVisible(window, false);
        EXPECT_FALSE(host::windowisvisible(window)) << int(window);
    }
}
