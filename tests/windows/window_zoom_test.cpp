// Zoom and full screen as a program sees them: one rule for the selectors at every factor, clicks
// in the window's own pixels, the refusals, the starting factor, and a full screen that gives the
// frame back. The pictures on a real screen are the desktop end-to-end test's.
#include <gmock/gmock.h>

#include <QRect>

#include <functional>
#include <tuple>

#include "host/framework_calls.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "tests/windows/window_fixture.h"
#include "windows/window_zoom.h"

namespace {

constexpr uint8_t zw = 3;  // the window under test

auto tupleof(const host::t_Frame& f) { return std::make_tuple(f.X, f.Y, f.Width, f.Height); }

// A 100 x 60 drawing area in a border of 4 with its title, on the offscreen screen (800 wide).
class Zoom : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        resetzoomfortests();
        created(zw, 24, 100, 60, t_Font{}, 4);
        t_WindowSize(zw, 100, 300, -1, -1);
        title = t_WindowPos(zw, 17);
    }
    void TearDown() override {
        t_WindowFullScreen(zw, false);
        resetzoomfortests();
    }
    static host::t_Frame frame() { return host::windowframe(zw); }
    // Where the view lies in its window, origin at the lower left.
    static auto view() {
        host::t_Frame frame;
        host::runsync([&] {
            const QRect r = interface().Views[zw]->geometry();
            const int bottom = interface().Views[zw]->parentWidget()->height() - r.y() - r.height();
            frame = {r.x(), bottom, r.width(), r.height()};
        });
        return tupleof(frame);
    }
    int64_t title = 0;
};

TEST_F(Zoom, EverySelectorFollowsOneRuleAtEveryFactor) {
    const int64_t top = t_WindowPos(zw, 20) + t_WindowPos(zw, 12), screenheight = t_WindowPos(zw, 16);
    for (const int64_t factor : {2, 3, 1}) {
        t_WindowZoom(zw, factor);
        // Inside the frame the window's pixels, on the screen screen pixels; the top-left corner stays.
        const std::pair<int64_t, int64_t> selectors[] = {
            {8, 100}, {9, 60}, {18, 4}, {19, 4}, {17, title}, {10, factor * 108}, {11, factor * 68},
            {12, factor * 68 + title}, {13, 100}, {20, top - factor * 68 - title}, {14, screenheight - top}};
        for (const auto& [selector, value] : selectors)
            EXPECT_EQ(t_WindowPos(zw, selector), value) << "factor " << factor << ", selector " << selector;
        const auto reported = std::make_tuple(t_WindowPos(zw, 13), t_WindowPos(zw, 20), t_WindowPos(zw, 10),
                                              t_WindowPos(zw, 12));
        EXPECT_EQ(tupleof(frame()), reported);
        EXPECT_EQ(view(), std::make_tuple(4 * factor, 4 * factor, 100 * factor, 60 * factor));
        // Sized with -1 it stays; the selectors given back restore it after a move.
        t_WindowSize(zw, -1, -1, -1, -1);
        EXPECT_EQ(tupleof(frame()), reported);
        const int64_t x = t_WindowPos(zw, 13), y = t_WindowPos(zw, 20), w = t_WindowPos(zw, 8), h = t_WindowPos(zw, 9);
        t_WindowSize(zw, 10, 20, 50, 40);
        t_WindowSize(zw, x, y, w, h);
        EXPECT_EQ(tupleof(frame()), reported);
    }
}

TEST_F(Zoom, ClicksCountInTheWindowsOwnPixels) {
    reseteventsfortests();
    // Positions from the window's left and from the picture's top down: at factor 3 the picture
    // starts 12 screen pixels in, 192 above the window's bottom; full screen it has factor 8,
    // 800 x 480, centred.
    struct Row {
        bool FullScreen;
        double X, Down;
        int64_t ClickX, ClickY;
    };
    const Row rows[] = {
        {false, 44, 15, 10, 5}, {false, 42.5, 17, 10, 5}, {false, 41, 0, 9, 0},  // within a pixel's block
        {false, 11, -1, -1, -1}, {false, 312, 181, -2, -2},                       // on the border
        {true, 87, 47, 10, 5}, {true, 799, 479, 99, 59},                          // full screen
        {true, 5, 481, 0, -2}, {true, 400, -5, 50, -1}};                          // beside the picture
    const int64_t fulltop = (host::screenframe(zw).Height - 480) / 2 + 480;
    for (const Row& row : rows) {
        if (row.FullScreen) t_WindowFullScreen(zw, true);
        else t_WindowZoom(zw, 3);
        const double y = static_cast<double>(row.FullScreen ? fulltop : 192) - row.Down;
        logof([&] { hostcalls::viewmousedown(zw, row.X, y, 0, 1, 0); });
        ASSERT_EQ(t_MouseEventCount(), 1);
        const t_Event click = t_NextMouseEvent();
        EXPECT_EQ(std::tie(click.ClickX, click.ClickY), std::tie(row.ClickX, row.ClickY))
            << (row.FullScreen ? "full screen " : "factor 3 ") << row.X << ", " << y;
        t_WindowFullScreen(zw, false);
    }
}

TEST_F(Zoom, RefusalsSayWhyAndChangeNothing) {
    t_WindowZoom(zw, 2);
    const auto before = tupleof(frame());
    const host::t_Frame area = host::screenarea(zw);
    const std::pair<std::function<void()>, std::string> calls[] = {
        {[] { t_WindowZoom(8, 2); }, "t_WindowZoom: Window is not a graphic window."},
        {[] { t_WindowZoom(1, 2); }, "t_WindowZoom: Window #1 not initialized."},
        {[] { t_WindowZoom(zw, 0); }, "t_WindowZoom: Factor 0 is not a whole factor from 1 to 8."},
        {[] { t_WindowZoom(zw, 9); }, "t_WindowZoom: Factor 9 is not a whole factor from 1 to 8."},
        {[] { t_WindowZoom(zw, 8); },
         "t_WindowZoom: Window #3 at factor 8 needs 864 x " + std::to_string(544 + title) +
             " pixels; the screen has " + std::to_string(area.Width) + " x " + std::to_string(area.Height) + "."},
        {[] { EXPECT_EQ(t_WindowZoomFactor(8), 0); }, "t_WindowZoomFactor: Window is not a graphic window."},
        {[] { t_WindowFullScreen(1, true); }, "t_WindowFullScreen: Window #1 not initialized."},
        {[] { t_WindowFullScreen(12, true); }, "t_WindowFullScreen: Window is not a graphic window."}};
    for (const auto& [call, line] : calls) {
        EXPECT_EQ(logof(call), line + "\n");
        EXPECT_EQ(t_WindowZoomFactor(zw), 2) << line;
        EXPECT_EQ(tupleof(frame()), before) << line;
    }
    // Full screen has a factor of its own; zooming waits until it ends.
    t_WindowFullScreen(zw, true);
    EXPECT_EQ(logof([] { t_WindowZoom(zw, 3); }), "t_WindowZoom: Window #3 is full screen.\n");
}

TEST_F(Zoom, FullScreenCoversTheScreenAndGivesTheFrameBack) {
    t_WindowZoom(zw, 2);
    const auto windowed = tupleof(frame());
    const host::t_Frame screen = host::screenframe(zw);
    t_WindowFullScreen(zw, true);
    t_WindowSize(zw, -1, -1, -1, -1);
    // The real frame, without a title bar; the drawing area keeps its pixels.
    const std::pair<int64_t, int64_t> selectors[] = {{13, 0}, {20, 0}, {10, screen.Width}, {12, screen.Height},
                                                     {17, 0}, {8, 100}, {9, 60}};
    for (const auto& [selector, value] : selectors) EXPECT_EQ(t_WindowPos(zw, selector), value) << selector;
    EXPECT_EQ(tupleof(frame()), tupleof(screen));
    EXPECT_EQ(t_WindowZoomFactor(zw), 8);  // 800 / 100 wide; 60 pixels tall fit more often
    EXPECT_EQ(view(), std::make_tuple(0, (screen.Height - 480) / 2, 800, 480));
    t_WindowFullScreen(zw, false);
    EXPECT_EQ(tupleof(frame()), windowed);
    EXPECT_EQ(t_WindowZoomFactor(zw), 2);
    // Sized and made title-less meanwhile, the window returns to the frame it was given.
    t_WindowFullScreen(zw, true);
    t_WindowSize(zw, 30, 40, -1, -1);
    t_WindowTitleVisible(zw, false);
    EXPECT_EQ(tupleof(frame()), tupleof(screen));
    t_WindowFullScreen(zw, false);
    EXPECT_EQ(tupleof(frame()), std::make_tuple(30, 40, 216, 136 + title));
    EXPECT_EQ(view(), std::make_tuple(8, 8, 200, 120));
    t_WindowTitleVisible(zw, true);
}

TEST_F(Zoom, WindowsStartAtTheStartingFactorWhereTheyCanBeDrawn) {
    setstartingzoom(3);
    EXPECT_EQ(t_WindowZoomFactor(5), 3);  // not created yet
    created(5, 8, 100, 60, t_Font{}, 4);
    EXPECT_EQ(t_WindowPos(5, 10), 3 * 108);
    EXPECT_EQ(t_WindowZoomFactor(zw), 1);  // shown before: it keeps its factor
    // A frame the window system could not draw at the factor starts at one it can, and says so.
    EXPECT_THAT(creationlog([] { t_InitGraphicWindow(4, 1, true, 32, 32, 8192, 8192, t_Font{}, true); }),
                testing::HasSubstr("t_InitWindow: GraphicWindow #4 shown at factor 1: at factor 3 it would be "
                                   "larger than 16384 pixels.\n"));
    EXPECT_EQ(t_WindowZoomFactor(4), 1);
}

}  // namespace
