#include "windows/display_refresh.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "app/startup.h"
#include "core/clock.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "graphics/window_image.h"
#include "host/framework_calls.h"
#include "host/host.h"

namespace {

// Counts the writes of pixels into video memory. Writers hold the framework lock; atomic all
// the same, so that a writer that does not can never make it a data race.
std::atomic<uint64_t> picturechanges{0};

// One image buffer per view, reused from frame to frame. GUI thread only.
std::array<t_Image, windowcount> viewimages;

// Longest sleep of the refresh thread: a window created or sped up while it sleeps waits at
// most this long for its first period (its first picture comes from the host's expose anyway).
constexpr int64_t longestidle = 50;
// A window whose picture has not changed is still redrawn this often, so that a write that
// bypassed the change count can never leave a stale picture on screen for long.
constexpr int64_t unchangedredraw = 1000;

// What the refresh thread knew at each window's last redraw. Refresh thread only.
struct t_Redrawn {
    uint64_t Changes = 0;
    int64_t Time = 0;
    bool Ever = false;
};
std::array<t_Redrawn, windowcount> redrawn;

bool graphicnumber(int window) { return window >= 0 && window < windowcount; }

int64_t periodof(const t_Window& w) { return w.RefreshRate > 0 ? 1000 / w.RefreshRate : 0; }

bool takespart(const t_Window& w) { return w.Initialized && w.AutoUpdate && w.VerticalBlank; }

// Whether the window takes part in this pass and its period is over.
bool refreshdue(int window, int64_t now) {
    FrameworkLock lock;
    const t_Window& w = framework.windows[static_cast<size_t>(window)];
    return takespart(w) && now - w.UpdateStarted >= periodof(w);
}

// Starts the window's period; answers whether its picture may differ from the one last shown.
bool startperiod(int window) {
    FrameworkLock lock;
    const int64_t now = nowmilliseconds();
    framework.windows[static_cast<size_t>(window)].UpdateStarted = now;
    const t_Redrawn& last = redrawn[static_cast<size_t>(window)];
    return !last.Ever || last.Changes != picturechanges.load(std::memory_order_relaxed) ||
           now - last.Time >= unchangedredraw;
}

void noteredrawn(int window) {
    FrameworkLock lock;
    redrawn[static_cast<size_t>(window)] = {picturechanges.load(std::memory_order_relaxed), nowmilliseconds(), true};
}

// One pass over the windows; answers whether any window was marked for display.
bool refreshpass() {
    bool marked = false;
    for (int window = 0; window < windowcount; ++window) {
        if (!refreshdue(window, nowmilliseconds())) continue;
        const bool hasview = host::viewexists(window);
        // Also after a failed lookup, so that a missing view is asked for once a period,
        // not in every pass.
        const bool changed = startperiod(window);
        if (!hasview) {
            logline("t_WindowAutoUpdateProcess: Window #" + std::to_string(window) + " view is nil, resource undefined.");
            continue;
        }
        // An unchanged picture is not built and painted again: on an idle screen that work is
        // all the program would do.
        if (!changed) continue;
        noteredrawn(window);  // before the mark, so that a write during the paint counts again
        host::markviewfordisplay(window);
        marked = true;
    }
    return marked;
}

// Milliseconds until the next window's period is over: 0 when one is over already or a window
// waits only for its view to finish drawing, at most longestidle when no window takes part.
int64_t idletime() {
    FrameworkLock lock;
    const int64_t now = nowmilliseconds();
    int64_t wait = longestidle;
    for (const t_Window& w : framework.windows) {
        if (!w.Initialized || !w.AutoUpdate) continue;
        if (!w.VerticalBlank) return 0;
        wait = std::min(wait, std::max<int64_t>(0, w.UpdateStarted + periodof(w) - now));
    }
    return wait;
}

// Only window 0 tells the program when its picture is being copied to the screen.
void setverticalblank(int window, bool value) {
    if (window != 0) return;
    FrameworkLock lock;
    framework.windows[0].VerticalBlank = value;
}

}  // namespace

void notepicturechange() { picturechanges.fetch_add(1, std::memory_order_relaxed); }

void t_WindowAutoUpdateProcess() {
    logline("t_WindowAutoUpdateProcess: Start.");
    if (threadnumber() > 2) namethread("t_WindowAutoUpdate");
    framework.autoupdaterunning = true;
    while (framework.frameworkready && framework.autoupdaterunning) {
        const bool marked = refreshpass();
        // Sleeps until the next period is due rather than polling: a pass costs little, but a
        // thousand passes a second keep a core awake while the program waits for a key.
        const int64_t wait = idletime();
        if (!marked || wait > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::max<int64_t>(wait, 1)));
    }
    framework.autoupdaterunning = false;
    logline("t_WindowAutoUpdateProcess: End.");
}

void t_WindowUpdate(uint8_t window, bool deferred) {
    if (!framework.frameworkready) return;
    if (window >= windowcount) {
        reportfailure("t_WindowUpdate", "Window is not a graphic window.");
        return;
    }
    if (!host::viewexists(window)) {
        reportfailure("t_WindowUpdate", "Window #" + std::to_string(window) + " view is nil, resource undefined.");
        return;
    }
    if (deferred) host::markviewfordisplay(window);
    else host::displayviewnow(window);
}

namespace hostcalls {

bool viewwantsupdatelayer(int window) {
    if (!graphicnumber(window) || !framework.frameworkready) return false;
    FrameworkLock lock;
    const t_Window& w = framework.windows[static_cast<size_t>(window)];
    return w.Initialized && w.QuickUpdate;
}

void viewimage(int window, const t_ImageSink& draw) {
    if (!graphicnumber(window) || !framework.frameworkready) return;
    FrameworkLock lock;  // held while the view draws, so the buffer cannot change under it
    t_Image& image = viewimages[static_cast<size_t>(window)];
    if (t_WindowImage(static_cast<uint8_t>(window), image))
        draw(image.Pixels.data(), static_cast<int>(image.Width), static_cast<int>(image.Height));
}

void viewdrawstarted(int window) { setverticalblank(window, false); }
void viewdrawfinished(int window) { setverticalblank(window, true); }

}  // namespace hostcalls
