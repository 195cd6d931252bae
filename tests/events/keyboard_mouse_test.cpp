#include <gtest/gtest.h>

#include "events/mouse_events.h"
#include "host/framework_calls.h"
#include "text/key_input.h"
#include "support/helpers.h"
#include "windows/video_memory.h"

namespace {

class ViewEvents : public testing::Test {
protected:
    void SetUp() override {
        resetframeworkfortests();
        reseteventsfortests();
        t_InitMemory();
        FrameworkLock lock;
        t_Window& record = framework.windows[0];
        record.Initialized = true;
        record.BorderWidth = 16;
        record.BorderHeight = 16;
        record.Width = 1280;
        record.Height = 800;
    }
    t_Event lastclick() {
        t_Event event;
        while (t_MouseEventCount() > 0) event = t_NextMouseEvent();
        return event;
    }
};

}  // namespace

TEST_F(ViewEvents, ClickPositionsCountFromTheTopLeftOfTheGraphicArea) {
    testing::internal::CaptureStdout();
    hostcalls::viewmousedown(0, 26.7, 811.2, 0, 1, shiftbit | functionbit);
    const t_Event click = lastclick();
    EXPECT_EQ(click.Kind, 2);
    EXPECT_EQ(click.WindowX, 26);
    EXPECT_EQ(click.WindowY, 811);
    EXPECT_EQ(click.Index, 1);
    EXPECT_TRUE(click.ShiftPressed);
    EXPECT_FALSE(click.FnPressed);
    EXPECT_TRUE(click.FunctionKeyPressed);
    // The view's positions count from its bottom left; the border and beyond are negative.
    struct t_Click {
        double X, Y;
        int64_t ClickX, ClickY;
    };
    for (const t_Click& c : {t_Click{26.7, 811.2, 10, 5}, t_Click{5, 8, -1, -2}, t_Click{1296, 816, -2, 0},
                             t_Click{1e300, -1.0 / 0.0, -2, -2}}) {
        hostcalls::viewmousedown(0, c.X, c.Y, 1, 2, 0);
        const t_Event event = lastclick();
        EXPECT_EQ(event.ClickX, c.ClickX) << c.X << ", " << c.Y;
        EXPECT_EQ(event.ClickY, c.ClickY) << c.X << ", " << c.Y;
    }
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("t_MouseEventHandler: Graphic #0 window, X = 10, Y = 5\n"
                       "t_MouseEventHandler: Calling program mouse handler asynchronously.\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("t_MouseEventHandler: Graphic #0 window, X = -1, Y = -2\n"), std::string::npos);
}

TEST_F(ViewEvents, ButtonAndKeyFlagsFollowEvenWhenEventsAreIgnored) {
    framework.windows[0].IgnoreEvents = true;
    testing::internal::CaptureStdout();
    hostcalls::viewmousedown(0, 100, 100, 1, 2, 0);
    EXPECT_FALSE(eventstate.leftbuttondown);
    EXPECT_TRUE(eventstate.rightbuttondown);
    hostcalls::viewmouseup(0, 0, 0);
    EXPECT_FALSE(eventstate.rightbuttondown);
    hostcalls::viewkeydown(0, 0, "a", controlbit);
    EXPECT_TRUE(eventstate.keydown);
    EXPECT_TRUE(eventstate.controldown);
    hostcalls::viewkeyup(0, 0, 0);
    EXPECT_FALSE(eventstate.keydown);
    hostcalls::viewflagschanged(0, optionbit | capslockbit);
    EXPECT_TRUE(eventstate.optiondown);
    EXPECT_TRUE(eventstate.capslockdown);
    EXPECT_FALSE(eventstate.controldown);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(t_MouseEventCount(), 0);
    EXPECT_EQ(keyeventcount(), 0);
    framework.windows[0].IgnoreEvents = false;
    hostcalls::viewkeydown(0, 0, "a", 0);
    EXPECT_EQ(peekkeyevent()->Value, 'a');
}

TEST_F(ViewEvents, UnreadyWindowsReportAndQueueNothing) {
    EXPECT_EQ(logof([] {
                  hostcalls::viewkeydown(3, 0, "a", 0);
                  hostcalls::viewmousedown(3, 10, 10, 0, 1, 0);
                  t_MouseEventHandler(3, 10, 10, 1, 0);
                  t_MouseEventHandler(9, 12.9, -4.5, 1, 0);
              }),
              "viewKeyDown: Graphic window (3) not initialized.\n"
              "viewMouseDown: Graphic window (3) not initialized.\n"
              "t_MouseEventHandler: Window #3 not initialized.\n"
              "t_MouseEventHandler:  window, X = -3, Y = -3\n"
              "t_MouseEventHandler: Calling program mouse handler asynchronously.\n"
              "t_MouseEventHandler: Unknown window, AbsX = 12, AbsY = -4\n"
              "t_MouseEventHandler:  window, X = -3, Y = -3\n"
              "t_MouseEventHandler: Calling program mouse handler asynchronously.\n");
    EXPECT_EQ(t_MouseEventCount(), 0);
    EXPECT_EQ(keyeventcount(), 0);
    EXPECT_TRUE(eventstate.leftbuttondown);
}

TEST_F(ViewEvents, ProgramMouseHandlerRunsOnItsOwnThread) {
    // Static: a handler thread may outlive the test.
    static std::atomic<int> calls{0};
    static std::atomic<bool> elsewhere{true};
    static std::thread::id caller;
    caller = std::this_thread::get_id();
    setprogrammousehandler([] {
        if (std::this_thread::get_id() == caller) elsewhere = false;
        ++calls;
    });
    logof([] {
        t_MouseEventHandler(0, 100, 100, 1, 0);
        t_MouseEventHandler(9, 100, 100, 1, 0);  // started for an unknown window as well
    });
    EXPECT_TRUE(eventually([] { return calls >= 2; }));
    EXPECT_TRUE(elsewhere);
    setprogrammousehandler({});
}
