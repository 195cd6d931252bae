#include <gtest/gtest.h>

#include <QApplication>

#include "host/host.h"
#include "host/qt/interface.h"
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
    EXPECT_FALSE(host::viewexists(8));  // a text window has no graphic view
}
