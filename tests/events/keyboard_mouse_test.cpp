// Keys and clicks as the graphic views hand them over: click positions, button and modifier
// flags, what an unready window does with them, and the program's mouse handler.
#include <gmock/gmock.h>

#include <array>
#include <tuple>

#include "events/mouse_events.h"
#include "host/framework_calls.h"
#include "text/key_input.h"
#include "support/helpers.h"

namespace {

// Window 0 with a drawing area of 1280 x 800 in a border of 16.
class ViewEvents : public testing::Test {
protected:
    void SetUp() override {
        resetframeworkfortests();
        reseteventsfortests();
        createwindow(0, 24, true, 1280, 800, 16, t_Font{});
    }
    t_Event lastclick() {
        t_Event event;
        while (t_MouseEventCount() > 0) event = t_NextMouseEvent();
        return event;
    }
};

// The view's positions count from its bottom left; the border and beyond are negative. The
// program's handler is called on a thread of its own.
TEST_F(ViewEvents, ClickPositionsCountFromTheTopLeftOfTheGraphicArea) {
    static std::atomic<bool> elsewhere{false};  // static: a handler thread may outlive the test
    static std::thread::id caller;
    caller = std::this_thread::get_id();
    setprogrammousehandler([] { elsewhere = std::this_thread::get_id() != caller; });
    const std::string log = logof([this] {
        hostcalls::viewmousedown(0, 26.7, 811.2, 0, 1, shiftbit | functionbit);
        const t_Event click = lastclick();
        EXPECT_EQ((std::array{click.Kind, click.WindowX, click.WindowY, click.Index, click.ClickX, click.ClickY}),
                  (std::array<int64_t, 6>{2, 26, 811, 1, 10, 5}));
        EXPECT_TRUE(click.ShiftPressed && click.FunctionKeyPressed && !click.FnPressed);
        const std::tuple<double, double, int64_t, int64_t> clicks[] = {
            {5, 8, -1, -2}, {16, 20, 0, 796}, {1296, 816, -2, 0}, {1e300, -1.0 / 0.0, -2, -2}};
        for (const auto& [x, y, clickx, clicky] : clicks) {
            hostcalls::viewmousedown(0, x, y, 1, 2, 0);
            const t_Event event = lastclick();
            EXPECT_EQ((std::array{event.ClickX, event.ClickY}), (std::array{clickx, clicky})) << x << ", " << y;
        }
    });
    EXPECT_THAT(log, testing::HasSubstr("t_MouseEventHandler: Graphic #0 window, X = 10, Y = 5\n"));
    EXPECT_TRUE(eventually([] { return elsewhere.load(); }));
    setprogrammousehandler({});
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
    EXPECT_EQ(t_MouseEventCount() + keyeventcount(), 0);
}

}  // namespace
