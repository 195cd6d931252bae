#include "windows/window_zoom.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <string_view>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"

namespace {

// The host's window system works in 32-bit coordinates; larger frames are cut to this, as
// t_WindowSize cuts its arguments.
constexpr int64_t largestcoordinate = int64_t{1} << 30;

// How one graphic window stands on the screen.
struct t_WindowView {
    int64_t Factor = 0;        // 0 until the window is first created: the starting factor applies
    bool FullScreen = false;
    host::t_Frame Former;      // full screen: the frame it returns to
    host::t_Frame Screen;      // full screen: the frame it covers
    host::t_Frame Picture;     // full screen: the picture in it (window coordinates, origin lower left)
    int64_t ScreenFactor = 1;  // full screen: the picture's factor
};

struct t_ZoomState {
    std::atomic<int64_t> startingfactor{1};          // written once before the launch
    std::array<t_WindowView, windowcount> windows{};  // guarded by the framework lock
};
t_ZoomState zoom;

int64_t factorof(uint8_t window) {
    const int64_t factor = zoom.windows[window].Factor;
    return factor > 0 ? factor : zoom.startingfactor.load();
}

int64_t cut(int64_t value) { return std::clamp(value, -largestcoordinate, largestcoordinate); }

// The drawing area at the largest whole factor the screen holds, centred; at factor 1 a picture
// larger than the screen is centred and shows its middle.
void layoutpicture(t_WindowView& view, int64_t width, int64_t height) {
    width = std::max<int64_t>(width, 1);
    height = std::max<int64_t>(height, 1);
    const int64_t factor = std::max<int64_t>(1, std::min(view.Screen.Width / width, view.Screen.Height / height));
    view.ScreenFactor = factor;
    view.Picture = {(view.Screen.Width - factor * width) / 2, (view.Screen.Height - factor * height) / 2,
                    factor * width, factor * height};
}

std::string windowname(uint8_t window) { return "Window #" + std::to_string(window); }

std::string pixels(int64_t width, int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// Shows the window at the factor; false after the line.
bool zoomwindow(std::string_view operation, uint8_t window, int64_t factor) {
    // The screen and the frame first: asking the desktop lets go of the framework lock.
    const bool graphic = window < windowcount;
    const host::t_Frame area = graphic ? host::screenarea(window) : host::t_Frame{};
    const host::t_Frame old = graphic ? host::windowframe(window) : host::t_Frame{};
    t_ZoomedFrame zoomed;
    {
        FrameworkLock lock;
        const t_Window* w = windowguard(operation, window);
        if (w == nullptr) return false;
        if (factor < 1 || factor > largestzoom) {
            reportfailure(operation, "Factor " + std::to_string(factor) + " is not a whole factor from 1 to 8.");
            return false;
        }
        t_WindowView& view = zoom.windows[window];
        if (view.FullScreen) {
            reportfailure(operation, windowname(window) + " is full screen.");
            return false;
        }
        const int64_t before = factorof(window);
        if (factor == before) return true;
        view.Factor = factor;
        zoomed = zoomedframe(window, *w, old.X, 0, w->Width, w->Height);
        if (zoomed.Frame.Width > area.Width || zoomed.Frame.Height > area.Height) {
            view.Factor = before;
            reportfailure(operation, windowname(window) + " at factor " + std::to_string(factor) + " needs " +
                                         pixels(zoomed.Frame.Width, zoomed.Frame.Height) + " pixels; the screen has " +
                                         pixels(area.Width, area.Height) + ".");
            return false;
        }
        // The top-left corner stays where it was; a frame that grew over the screen's edge moves
        // back inside it, which it fits.
        zoomed.Frame.Y = old.Y + old.Height - zoomed.Frame.Height;
        zoomed.Frame.X = std::clamp(zoomed.Frame.X, area.X, area.X + area.Width - zoomed.Frame.Width);
        zoomed.Frame.Y = std::clamp(zoomed.Frame.Y, area.Y, area.Y + area.Height - zoomed.Frame.Height);
    }
    host::setwindowframe(window, zoomed.Frame);
    host::setviewframe(window, zoomed.View);
    return true;
}

bool enterfullscreen(std::string_view operation, uint8_t window) {
    {
        FrameworkLock lock;
        if (windowguard(operation, window) == nullptr) return false;
        if (zoom.windows[window].FullScreen) return true;
    }
    const host::t_Frame former = host::windowframe(window), screen = host::screenframe(window);
    host::t_Frame picture;
    {
        FrameworkLock lock;
        const t_Window& w = framework.windows[window];
        t_WindowView& view = zoom.windows[window];
        if (!w.Initialized || view.FullScreen) return w.Initialized;  // changed while the desktop answered
        view.FullScreen = true;
        view.Former = former;
        view.Screen = screen;
        layoutpicture(view, w.Width, w.Height);
        picture = view.Picture;
    }
    host::setwindowfullscreen(window, true, false);
    host::setviewframe(window, picture);
    return true;
}

// Also for a window no longer initialised (its re-creation failed): nobody must be kept in a full
// screen that shows nothing.
void leavefullscreen(uint8_t window) {
    host::t_Frame former, view;
    bool titled = true;
    {
        FrameworkLock lock;
        t_WindowView& state = zoom.windows[window];
        if (!state.FullScreen) return;
        state.FullScreen = false;
        const t_Window& w = framework.windows[window];
        former = state.Former;
        titled = w.TitleHeight != 0;
        view = zoomedframe(window, w, 0, 0, w.Width, w.Height).View;
    }
    host::setwindowfullscreen(window, false, titled);
    host::setwindowframe(window, former);
    host::setviewframe(window, view);
}

bool setfullscreen(std::string_view operation, uint8_t window, bool on) {
    if (window >= windowcount) {
        reportfailure(operation, "Window is not a graphic window.");
        return false;
    }
    if (on) return enterfullscreen(operation, window);
    leavefullscreen(window);
    return true;
}

}  // namespace

void setstartingzoom(int64_t factor) { zoom.startingfactor = std::clamp<int64_t>(factor, 1, largestzoom); }

void resetzoomfortests() {
    FrameworkLock lock;
    zoom.windows = {};
    zoom.startingfactor = 1;
}

t_FrameSize zoomedframesize(uint8_t window, const t_Window& w) {
    const t_WindowView& view = zoom.windows[window];
    if (view.FullScreen) return {view.Screen.Width, view.Screen.Height, 0};
    const int64_t factor = factorof(window);
    return {cut(factor * (w.Width + 2 * w.BorderWidth)),
            cut(factor * (w.Height + 2 * w.BorderHeight)) + w.TitleHeight, w.TitleHeight};
}

t_ZoomedFrame zoomedframe(uint8_t window, const t_Window& w, int64_t x, int64_t y, int64_t width, int64_t height) {
    const int64_t factor = factorof(window);
    t_ZoomedFrame zoomed;
    zoomed.Frame = {x, y, cut(factor * (width + 2 * w.BorderWidth)),
                    cut(factor * (height + 2 * w.BorderHeight)) + w.TitleHeight};
    zoomed.View = {factor * w.BorderWidth, factor * w.BorderHeight, cut(factor * width), cut(factor * height)};
    return zoomed;
}

void settlezoom(uint8_t window, const t_Window& w, const std::string& prefix) {
    const int64_t asked = factorof(window);
    int64_t factor = asked;
    const auto toolarge = [&w](int64_t f) {
        return f * (w.Width + 2 * w.BorderWidth) > largestzoomedside ||
               f * (w.Height + 2 * w.BorderHeight) + w.TitleHeight > largestzoomedside;
    };
    while (factor > 1 && toolarge(factor)) --factor;
    if (factor < asked)
        logline(prefix + " shown at factor " + std::to_string(factor) + ": at factor " + std::to_string(asked) +
                " it would be larger than " + std::to_string(largestzoomedside) + " pixels.");
    zoom.windows[window].Factor = factor;
}

void zoomedclick(uint8_t window, double& x, double& y) {
    if (window >= windowcount) return;
    FrameworkLock lock;
    const t_Window& w = framework.windows[window];
    const t_WindowView& view = zoom.windows[window];
    if (!framework.frameworkready || !w.Initialized) return;
    int64_t factor = view.ScreenFactor;
    host::t_Frame picture = view.Picture;
    if (!view.FullScreen) {
        factor = factorof(window);
        if (factor == 1) return;
        picture = {factor * w.BorderWidth, factor * w.BorderHeight, factor * w.Width, factor * w.Height};
    }
    // Whole framework pixels, each factor screen pixels wide; rows count down from the picture's
    // top. Left of or below the picture the quotient is negative: floor, not truncation, keeps a
    // click beside a borderless picture outside it.
    const auto f = static_cast<double>(factor);
    x = static_cast<double>(w.BorderWidth) + std::floor((x - static_cast<double>(picture.X)) / f);
    y = static_cast<double>(w.BorderHeight + w.Height) -
        std::floor((static_cast<double>(picture.Y + picture.Height) - y) / f);
}

bool sizewhilefullscreen(uint8_t window, int64_t x, int64_t y, int64_t width, int64_t height) {
    host::t_Frame picture;
    {
        FrameworkLock lock;
        const t_Window& w = framework.windows[window];
        t_WindowView& view = zoom.windows[window];
        if (!view.FullScreen || !framework.frameworkready || !w.Initialized) return false;
        x = x == -1 ? view.Former.X : cut(x);
        y = y == -1 ? view.Former.Y : cut(y);
        width = width == -1 ? w.Width : cut(width);
        height = height == -1 ? w.Height : cut(height);
        view.Former = zoomedframe(window, w, x, y, width, height).Frame;
        layoutpicture(view, width, height);
        picture = view.Picture;
    }
    host::setviewframe(window, picture);
    return true;
}

bool isfullscreen(uint8_t window) {
    if (window >= windowcount) return false;
    FrameworkLock lock;
    return zoom.windows[window].FullScreen;
}

bool zoomwindowby(const char* operation, uint8_t window, int64_t step) {
    int64_t factor = 0;
    {
        FrameworkLock lock;
        if (windowguard(operation, window) == nullptr) return false;
        if (zoom.windows[window].FullScreen) return false;  // full screen has its own factor
        factor = factorof(window) + step;
    }
    if (factor < 1 || factor > largestzoom) return false;  // the end of the range: the alert says it
    return zoomwindow(operation, window, factor);
}

bool togglefullscreen(const char* operation, uint8_t window) {
    return setfullscreen(operation, window, !isfullscreen(window));
}

void t_WindowZoom(uint8_t window, int64_t factor) { zoomwindow("t_WindowZoom", window, factor); }

int64_t t_WindowZoomFactor(uint8_t window) {
    if (window >= windowcount) {
        reportfailure("t_WindowZoomFactor", "Window is not a graphic window.");
        return 0;
    }
    FrameworkLock lock;
    const t_WindowView& view = zoom.windows[window];
    return view.FullScreen ? view.ScreenFactor : factorof(window);
}

void t_WindowFullScreen(uint8_t window, bool on) { setfullscreen("t_WindowFullScreen", window, on); }
