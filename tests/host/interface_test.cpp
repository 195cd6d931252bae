#include <gtest/gtest.h>

#include <QApplication>

#include "host/host.h"
#include "host/qt/interface.h"

TEST(Interface, ClosingAWindowOnlyHidesIt) {
    host::showwindow(2, true);
    ASSERT_TRUE(host::windowisvisible(2));
    bool closed = true;
    host::runsync([&] { closed = hostwindow(2)->close(); });
    EXPECT_FALSE(closed);
    EXPECT_FALSE(host::windowisvisible(2));
    EXPECT_TRUE(host::windowexists(2));
}

TEST(Interface, FramesUseABottomLeftOriginAndSurviveARoundTrip) {
    const host::t_Frame screen = host::screenframe(3);
    ASSERT_GT(screen.Height, 0);
    host::showwindow(3, true);
    host::setwindowframe(3, {100, 50, 400, 300});
    const host::t_Frame frame = host::windowframe(3);
    EXPECT_EQ(frame.X, 100);
    EXPECT_EQ(frame.Y, 50);
    EXPECT_EQ(frame.Width, 400);
    EXPECT_EQ(frame.Height, 300);
    int top = -1;
    host::runsync([&] { top = hostwindow(3)->frameGeometry().top(); });
    EXPECT_EQ(top, screen.Height - 50 - 300);
}

TEST(Interface, TextWindowsKeepTheirText) {
    host::settextviewtext(9, "Zeile 1\n");
    host::appendtextviewtext(9, "Zeile 2");
    EXPECT_EQ(host::textviewtext(9), "Zeile 1\nZeile 2");
    EXPECT_TRUE(host::textviewexists(10));
    EXPECT_FALSE(host::textviewexists(11));
    host::setrulertext(10, "----+----1");
    EXPECT_EQ(host::rulertext(10), "----+----1");
    EXPECT_EQ(host::rulertext(8), "");  // the pasteboard window has no ruler
}
