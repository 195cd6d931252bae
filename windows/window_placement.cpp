#include "windows/window_placement.h"

#include <algorithm>

#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "host/host.h"
#include "windows/window_zoom.h"
#include "sound/alert.h"

namespace {

// The host's window system works in 32-bit coordinates; larger requests are cut to this.
constexpr int64_t largestcoordinate = int64_t{1} << 30;

int64_t bounded(int64_t value) { return std::clamp(value, -largestcoordinate, largestcoordinate); }

// Frame width FW, frame height FH, title height and borders, from the record for a graphic
// window of a ready framework and from the host window otherwise.
struct t_Geometry {
    bool FromRecord = false;
    int64_t FW = 0, FH = 0, Title = 0, BorderWidth = 0, BorderHeight = 0;
    int64_t DrawingWidth = 0, DrawingHeight = 0;  // in the window's own pixels, whatever its zoom
    int64_t FirstColumn = 0, FirstLine = 0, LastColumn = 0, LastLine = 0, Columns = 0, Lines = 0;
};

t_Geometry geometry(uint8_t window) {
    t_Geometry g;
    if (window < windowcount && framework.frameworkready) {
        FrameworkLock lock;
        const t_Window& w = framework.windows[window];
        g.FromRecord = true;
        g.BorderWidth = w.BorderWidth;
        g.BorderHeight = w.BorderHeight;
        const t_FrameSize frame = zoomedframesize(window, w);
        g.Title = frame.Title;
        g.FW = frame.Width;
        g.FH = frame.Height;
        g.DrawingWidth = w.Width;
        g.DrawingHeight = w.Height;
        g.FirstColumn = w.TextFirstColumn;
        g.FirstLine = w.TextFirstLine;
        g.LastColumn = w.TextLastColumn;
        g.LastLine = w.TextLastLine;
        g.Columns = w.TextWidth;
        g.Lines = w.TextHeight;
        return g;
    }
    const host::t_Frame frame = host::windowframe(window);
    g.FW = frame.Width;
    g.FH = frame.Height;
    g.Title = host::windowtitleheight(window);
    g.DrawingWidth = g.FW;
    g.DrawingHeight = g.FH - g.Title;
    return g;
}

int64_t textselector(const t_Geometry& g, int64_t selector) {
    switch (selector) {
        case 0: return g.FirstColumn;
        case 1: return g.FirstLine;
        case 2: return g.LastColumn;
        case 3: return g.LastLine;
        case 4: return g.LastColumn - g.FirstColumn + 1;
        case 5: return g.LastLine - g.FirstLine + 1;
        case 6: return g.Columns;
        default: return g.Lines;
    }
}

int64_t frameselector(const t_Geometry& g, int64_t selector) {
    switch (selector) {
        case 2: return g.FW - 1;
        case 3: return g.FH - 1;
        case 4: case 6: return g.FW;
        case 5: case 7: return g.FH;
        default: return 0;
    }
}

void textwindowvisible(uint8_t window, bool visible) {
    if (!host::textviewexists(window)) {
        const char* name = window == pasteboardwindow ? "Pasteboard" : window == printerwindow ? "Virtual printer" : "System console";
        reportfailure("t_WindowVisible", std::string(name) + " window is nil, resource undefined.");
        playalert();
        return;
    }
    // The pasteboard window always opens on what the clipboard holds now.
    if (visible && window == pasteboardwindow) host::settextviewtext(window, host::clipboardtext());
    host::showwindow(window, visible);
}

}  // namespace

int64_t t_WindowPos(uint8_t window, int64_t selector) {
    if (!hostwindowguard("t_WindowPos", window)) return 0;
    if (selector < 0 || selector > 20) return 0;
    const t_Geometry g = geometry(window);
    if (selector <= 7) {
        if (g.FromRecord) return textselector(g, selector);
        return window < windowcount ? 0 : frameselector(g, selector);  // no text screen before the framework is ready
    }
    switch (selector) {
        case 8: return g.DrawingWidth;
        case 9: return g.DrawingHeight;
        case 10: return g.FW;
        case 11: return g.FH - g.Title;
        case 12: return g.FH;
        case 13: return host::windowframe(window).X;
        case 14: return host::screenframe(window).Height - g.FH - host::windowframe(window).Y;
        case 15: return host::screenframe(window).Width;
        case 16: return host::screenframe(window).Height;
        case 17: return g.Title;
        case 18: return g.BorderWidth;
        case 19: return g.BorderHeight;
        default: return host::windowframe(window).Y;
    }
}

void t_WindowSize(uint8_t window, int64_t x, int64_t y, int64_t width, int64_t height) {
    if (!hostwindowguard("t_WindowSize", window)) return;
    if (window < windowcount && sizewhilefullscreen(window, x, y, width, height)) return;
    const bool keepscrollwidth = width <= 0, keepscrollheight = height <= 0;
    x = bounded(x == -1 ? t_WindowPos(window, 13) : x);
    y = bounded(y == -1 ? t_WindowPos(window, 20) : y);
    width = bounded(width == -1 ? t_WindowPos(window, 8) : width);
    height = bounded(height == -1 ? t_WindowPos(window, 9) : height);
    const int64_t title = window < windowcount ? 0 : host::windowtitleheight(window);
    if (window < windowcount) {
        t_ZoomedFrame zoomed;
        {
            FrameworkLock lock;
            const t_Window& w = framework.windows[window];
            if (!framework.frameworkready || !w.Initialized) {
                reportfailure("t_WindowSize", "Window #" + std::to_string(window) + " not initialized.");
                return;
            }
            zoomed = zoomedframe(window, w, x, y, width, height);
        }
        host::setwindowframe(window, zoomed.Frame);
        host::setviewframe(window, zoomed.View);
    } else if (window == preferenceswindow || window == applicationwindow) {
        host::setwindowframe(window, {x, y, width, height + title});
    } else {
        if (host::windowisvisible(window)) host::showwindow(window, true);
        host::setwindowframe(window, {x, y, width, height + title});
        host::setscrollviewsize(window, keepscrollwidth ? -1 : width - 40, keepscrollheight ? -1 : height - 77);
    }
}

std::string t_WindowTitle(uint8_t window) {
    if (!hostwindowguard("t_WindowTitle", window)) return "";
    return host::windowtitle(window);
}

void t_WindowTitle(uint8_t window, const std::string& title) {
    if (!hostwindowguard("t_WindowTitle", window)) return;
    host::setwindowtitle(window, title);
}

void t_WindowTitleVisible(uint8_t window, bool visible) {
    if (!hostwindowguard("t_WindowTitleVisible", window)) return;
    if (window < windowcount) {
        FrameworkLock lock;
        framework.windows[window].TitleHeight = visible ? framework.titleheight.load() : 0;
    }
    if (isfullscreen(window)) return;  // the title comes back with the frame, when full screen ends
    host::setwindowtitled(window, visible);
}

void t_WindowVisible(uint8_t window, bool visible) {
    if (!hostwindowguard("t_WindowVisible", window)) return;
    if (window >= pasteboardwindow && window <= consolewindow) {
        textwindowvisible(window, visible);
        return;
    }
    if (window < windowcount) {
        // Recorded first, so that the first paint of a shown window already gets its image.
        FrameworkLock lock;
        t_Window& w = framework.windows[window];
        w.Visible = visible;
        if (!visible) w.UpdateDuration = 0;
    }
    host::showwindow(window, visible);
}

void t_WindowFront(uint8_t window) {
    if (!hostwindowguard("t_WindowFront", window)) return;
    t_WindowVisible(window, true);
    host::makekeywindow(window);
}

void t_WindowCenter(uint8_t window) {
    if (!hostwindowguard("t_WindowCenter", window)) return;
    host::centerwindow(window);
}
