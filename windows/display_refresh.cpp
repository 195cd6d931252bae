#include "windows/display_refresh.h"

#include <array>
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

// One image buffer per view, reused from frame to frame. GUI thread only.
std::array<t_Image, windowcount> viewimages;

bool graphicnumber(int window) { return window >= 0 && window < windowcount; }

// Whether the window takes part in this pass and its period is over.
bool refreshdue(int window, int64_t now) {
    FrameworkLock lock;
    const t_Window& w = framework.windows[static_cast<size_t>(window)];
    if (!w.Initialized || !w.AutoUpdate || !w.VerticalBlank) return false;
    const int64_t period = w.RefreshRate > 0 ? 1000 / w.RefreshRate : 0;
    return now - w.UpdateStarted >= period;
}

// One pass over the windows; answers whether any window was marked for display.
bool refreshpass() {
    bool redrawn = false;
    for (int window = 0; window < windowcount; ++window) {
        if (!refreshdue(window, nowmilliseconds())) continue;
        const bool hasview = host::viewexists(window);
        {
            // Also after a failed lookup, so that a missing view is asked for once a period,
            // not in every pass.
            FrameworkLock lock;
            framework.windows[static_cast<size_t>(window)].UpdateStarted = nowmilliseconds();
        }
        if (!hasview) {
            logline("t_WindowAutoUpdateProcess: Window #" + std::to_string(window) + " view is nil, resource undefined.");
            continue;
        }
        host::markviewfordisplay(window);
        redrawn = true;
    }
    return redrawn;
}

// Only window 0 tells the program when its picture is being copied to the screen.
void setverticalblank(int window, bool value) {
    if (window != 0) return;
    FrameworkLock lock;
    framework.windows[0].VerticalBlank = value;
}

}  // namespace

void t_WindowAutoUpdateProcess() {
    logline("t_WindowAutoUpdateProcess: Start.");
    if (threadnumber() > 2) namethread("t_WindowAutoUpdate");
    framework.autoupdaterunning = true;
    while (framework.frameworkready && framework.autoupdaterunning) {
        if (!refreshpass()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
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
