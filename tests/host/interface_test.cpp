#include <gtest/gtest.h>

#include <QApplication>

#include <array>

#include "host/host.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/ruler_line.h"
#include "support/helpers.h"

// The close box itself is clicked in the desktop end-to-end test; here the application closes
// a window as it does when it quits: no click is reported, and the quit is not held up.
TEST(Interface, ClosingAWindowToQuitReportsNoCloseBoxClick) {
    host::showwindow(2, true);
    bool closed = false;
    EXPECT_EQ(logof([&] { host::runsync([&] { closed = hostwindow(2)->close(); }); }), "");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(host::windowisvisible(2));
    EXPECT_TRUE(host::windowexists(2));
}

TEST(Interface, FramesUseABottomLeftOriginAndSurviveARoundTrip) {
    const host::t_Frame screen = host::screenframe(3);
    ASSERT_GT(screen.Height, 0);
    host::showwindow(3, true);
    host::setwindowframe(3, {100, 50, 400, 300});
    const host::t_Frame frame = host::windowframe(3);
    EXPECT_EQ((std::array{frame.X, frame.Y, frame.Width, frame.Height}), (std::array<int64_t, 4>{100, 50, 400, 300}));
    int top = -1;
    host::runsync([&] { top = hostwindow(3)->frameGeometry().top(); });
    EXPECT_EQ(top, screen.Height - 50 - 300);
}

// The text windows lay out their ruler and text view below the menu bar, inside the window,
// whatever size the window is given.
TEST(Interface, TextWindowsLayOutInsideWhatTheyHave) {
    for (int window = 8; window <= 10; ++window) {
        host::showwindow(window, true);
        for (const host::t_Frame frame : {host::t_Frame{100, 100, 300, 200}, host::t_Frame{50, 80, 900, 700}}) {
            host::setwindowframe(window, frame);
            host::runsync([window] {
                const t_TextWindowParts* parts = textwindow(window);
                const QRect inside = parts->Window->rect().adjusted(0, menubarheight(), 0, 0);
                EXPECT_TRUE(inside.contains(parts->TextView->geometry())) << window;
                if (parts->Ruler != nullptr) {
                    EXPECT_TRUE(inside.contains(parts->Ruler->geometry())) << window;
                }
            });
        }
        host::showwindow(window, false);
    }
}
