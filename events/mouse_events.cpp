// Mouse clicks in the graphic views, the button flags and the close box.
#include "events/mouse_events.h"

#include <cmath>
#include <string>

#include "app/startup.h"
#include "core/clock.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/framework_calls.h"
#include "text/key_input.h"
#include "windows/window_placement.h"
#include "windows/window_zoom.h"

namespace {

constexpr const char* handlername = "t_MouseEventHandler";

// Truncated toward zero; positions no screen can have are bounded so the conversion is defined.
int64_t truncated(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int64_t>(std::fmax(-1e15, std::fmin(1e15, value)));
}

// -1 before the area, -2 beyond it, else the position itself.
int64_t clickposition(int64_t position, int64_t size) {
    if (position < 0) return -1;
    if (position >= size) return -2;
    return position;
}

t_Event mouseevent(uint8_t window, int64_t x, int64_t y, int64_t buttonmask, int64_t modifiers) {
    t_Event event;
    event.Kind = 2;
    event.Index = buttonmask;
    event.WindowX = x;
    event.WindowY = y;
    setmodifierfields(event, modifiers);
    event.Window = window;
    event.Time = nowmilliseconds();
    event.FunctionKeyPressed = modifiers & functionbit;  // a click never reports FnPressed
    return event;
}

// Fills the click position from the window's geometry; false when the window is not ready.
bool placeclick(t_Event& event) {
    FrameworkLock lock;
    if (!framework.frameworkready) return false;
    const t_Window& record = framework.windows[event.Window];
    if (!record.Initialized) return false;
    event.ClickX = clickposition(event.WindowX - record.BorderWidth, record.Width);
    event.ClickY = clickposition(record.BorderHeight + record.Height - event.WindowY, record.Height);
    return true;
}

}  // namespace

void t_MouseEventHandler(uint8_t window, double x, double y, int64_t buttonmask, int64_t modifiers) {
    const int64_t absx = truncated(x), absy = truncated(y);
    t_Event event = mouseevent(window, absx, absy, buttonmask, modifiers);
    const std::string unplaced = std::string(handlername) + ":  window, X = -3, Y = -3";
    if (window >= windowcount) {
        reportfailure(handlername, "Unknown window, AbsX = " + std::to_string(absx) + ", AbsY = " + std::to_string(absy));
        logline(unplaced);
    } else if (!placeclick(event)) {
        reportfailure(handlername, "Window #" + std::to_string(window) + " not initialized.");
        logline(unplaced);
    } else {
        appendmouseevent(event);
        reportfailure(handlername, "Graphic #" + std::to_string(window) + " window, X = " + std::to_string(event.ClickX) +
                                       ", Y = " + std::to_string(event.ClickY));
    }
    eventstate.mouseavailable = t_MouseEventCount() > 0;
    startasyncprocess([] {
        if (threadnumber() >= 3) namethread("t_EventMouse");
        runprogrammousehandler();
    });
    reportfailure(handlername, "Calling program mouse handler asynchronously.");
}

void t_MouseEventPostCloseBoxClick(uint8_t window) {
    t_WindowVisible(window, false);
    logline("t_MouseEventPostCloseBoxClick: Window = " + std::to_string(window));
}

bool viewdelivers(const char* operation, int window) {
    if (!framework.frameworkready || window < 0 || window >= windowcount) return false;
    bool initialized = false, ignoring = false;
    {
        FrameworkLock lock;
        initialized = framework.windows[static_cast<size_t>(window)].Initialized;
        ignoring = framework.windows[static_cast<size_t>(window)].IgnoreEvents;
    }
    if (!initialized) logline(std::string(operation) + ": Graphic window (" + std::to_string(window) + ") not initialized.");
    return initialized && !ignoring;
}

namespace hostcalls {

void viewmousedown(int window, double x, double y, int button, int64_t buttonmask, int64_t modifiers) {
    if (viewdelivers("viewMouseDown", window)) {
        zoomedclick(static_cast<uint8_t>(window), x, y);  // the desktop counts screen pixels
        t_MouseEventHandler(static_cast<uint8_t>(window), x, y, buttonmask, modifiers);
    }
    eventstate.leftbuttondown = button != 1;
    eventstate.rightbuttondown = button == 1;
}

void viewmouseup(int /*window*/, int /*button*/, int64_t /*modifiers*/) {
    eventstate.leftbuttondown = false;
    eventstate.rightbuttondown = false;
}

}  // namespace hostcalls
