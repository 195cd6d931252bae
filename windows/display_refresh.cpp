#include "windows/display_refresh.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/clock.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "core/guards.h"
#include "core/wake_signal.h"
#include "graphics/window_image.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "windows/refresh_wait.h"
#include "recording/recording.h"

namespace {

// Counts the writes of pixels into video memory. Writers hold the framework lock; atomic all
// the same, so that a writer that does not can never make it a data race.
std::atomic<uint64_t> picturechanges{0};

// The refresh thread sleeps on this; a pixel write wakes it only while it sleeps
// (refreshasleep), so the writers' hot paths pay one load of a flag and no lock.
t_WakeSignal& refreshsignal() {
    static auto* signal = new t_WakeSignal;  // never destroyed: the thread may sleep at exit
    return *signal;
}
std::atomic<bool> refreshasleep{false};

// One image buffer per view, reused from frame to frame. Used under the framework lock.
std::array<t_Image, windowcount> viewimages;
// Images each view has drawn: what a person saw, for tests and measurements.
std::array<std::atomic<uint64_t>, windowcount> imagesdrawn{};

// Longest sleep of the refresh thread when no window is due: a window re-rated by writing its
// record while the thread sleeps waits at most this long for its new period.
constexpr int64_t longestidle = 50;
// A window whose picture has not changed is still redrawn this often, so that a write that
// bypassed the change count can never leave a stale picture on screen for long.
constexpr int64_t unchangedredraw = 1000;
// After a quiet spell the first change is drawn this long after it arrives: a program answers
// a key with a burst of writes (the cursor cell, then its reply), and one frame shows them all.
constexpr auto settletime = std::chrono::microseconds(1000);

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

// What a pass decided for one window.
enum class t_Turn { Wait, Tick, Redraw };

// The rule, for a window that takes part: a changed picture is redrawn as soon as a period has
// passed since its last redraw, so a change after a quiet spell shows at once and continuous
// drawing gets one redraw a period. UpdateStarted still advances every period, redrawn or not,
// so that a program can wait on it (and on UpdateFinished) as on a frame signal. RefreshRate 0
// redraws in every pass.
t_Turn turnof(int window, const t_Window& w, int64_t now, uint64_t changes) {
    const t_Redrawn& last = redrawn[static_cast<size_t>(window)];
    const int64_t period = periodof(w);
    const bool changed = !last.Ever || last.Changes != changes || now - last.Time >= unchangedredraw;
    if (period == 0 || (changed && now - last.Time >= period)) return t_Turn::Redraw;
    return now - w.UpdateStarted >= period ? t_Turn::Tick : t_Turn::Wait;
}

// When the window needs the thread next, in ms of the record's clock.
int64_t nextturn(int window, const t_Window& w, uint64_t changes) {
    const t_Redrawn& last = redrawn[static_cast<size_t>(window)];
    const int64_t period = std::max<int64_t>(periodof(w), 1);  // rate 0: a pass a millisecond
    if (last.Changes != changes) return last.Time + period;
    return std::min(w.UpdateStarted + period, last.Time + unchangedredraw);
}

// Decides each window's turn under the lock; answers the windows to mark for display.
std::array<bool, windowcount> decidepass(uint64_t changes) {
    std::array<bool, windowcount> redraw{};
    FrameworkLock lock;
    const int64_t now = nowmilliseconds();
    for (int window = 0; window < windowcount; ++window) {
        t_Window& w = framework.windows[static_cast<size_t>(window)];
        if (!takespart(w)) continue;
        const t_Turn turn = turnof(window, w, now, changes);
        if (turn == t_Turn::Wait) continue;
        w.UpdateStarted = now;
        if (turn == t_Turn::Tick) {
            // Nothing to draw: the picture on screen is this frame's, finished now.
            w.UpdateFinished = now;
            continue;
        }
        // Recorded before the mark, so that a write during the paint counts again.
        redrawn[static_cast<size_t>(window)] = {changes, now, true};
        redraw[static_cast<size_t>(window)] = true;
    }
    return redraw;
}

// Sizes the view's image buffer ahead of its paint, off the GUI thread: the first image of a
// large window otherwise pays a thousand page faults on its way to the screen.
void prepareimage(int window) {
    size_t pixels = 0;
    {
        FrameworkLock lock;
        const t_Window& w = framework.windows[static_cast<size_t>(window)];
        pixels = static_cast<size_t>(std::max<int64_t>(0, w.Width) * std::max<int64_t>(0, w.Height));
        if (viewimages[static_cast<size_t>(window)].Pixels.size() >= pixels) return;
    }
    std::vector<uint32_t, t_UntouchedAllocator<uint32_t>> buffer(pixels);
    FrameworkLock lock;  // the view uses the buffer only under the lock
    auto& current = viewimages[static_cast<size_t>(window)].Pixels;
    if (current.size() < buffer.size()) current.swap(buffer);
}

// One pass over the windows; answers whether any window was marked for display.
bool refreshpass(uint64_t changes) {
    const std::array<bool, windowcount> redraw = decidepass(changes);
    bool marked = false;
    for (int window = 0; window < windowcount; ++window) {
        if (!redraw[static_cast<size_t>(window)]) continue;
        if (!host::viewexists(window)) {
            logline("t_WindowAutoUpdateProcess: Window #" + std::to_string(window) + " view is nil, resource undefined.");
            continue;
        }
        prepareimage(window);
        host::markviewfordisplay(window);
        marked = true;
    }
    return marked;
}

// Milliseconds until a window needs the thread again: 0 when one does already, 1 while window 0
// waits only for its view to finish drawing, at most longestidle when no window takes part.
int64_t idletime(uint64_t changes) {
    FrameworkLock lock;
    const int64_t now = nowmilliseconds();
    int64_t wait = longestidle;
    for (int window = 0; window < windowcount; ++window) {
        const t_Window& w = framework.windows[static_cast<size_t>(window)];
        if (!w.Initialized || !w.AutoUpdate) continue;
        if (!w.VerticalBlank) return 1;
        wait = std::min(wait, std::max<int64_t>(0, nextturn(window, w, changes) - now));
    }
    return wait;
}

// Sleeps until the next turn is due. A pixel write ends the sleep (after settletime, so that
// the writer's burst is finished): it may be a window's first picture or a change after a
// quiet spell. Also while another window's change waits for its period, so under continuous
// drawing the thread wakes at most once a settletime.
void sleepuntilturn(uint64_t changes) {
    const int64_t wait = idletime(changes);
    if (wait <= 0) return;
    const uint64_t seen = refreshsignal().current();
    refreshasleep = true;
    // A write between the pass and the flag would not wake us: look once more.
    if (picturechanges.load() != changes) {
        refreshasleep = false;
        std::this_thread::sleep_for(settletime);
        return;
    }
    const bool woken = refreshsignal().waitchange(seen, std::chrono::milliseconds(wait));
    refreshasleep = false;
    if (woken) std::this_thread::sleep_for(settletime);
}

// Only window 0 tells the program when its picture is being copied to the screen.
void setverticalblank(int window, bool value) {
    if (window != 0) return;
    FrameworkLock lock;
    framework.windows[0].VerticalBlank = value;
}

}  // namespace

// The rule it feeds is written at its declaration and carried out by turnof. The call is cheap
// on purpose (an atomic add and a load): g_Plot makes it for every pixel.
void notepicturechange() {
    picturechanges.fetch_add(1);
    if (refreshasleep.load() && refreshasleep.exchange(false)) refreshsignal().signal();
}

void t_WindowRefreshRate(uint8_t window, int64_t rate) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_WindowRefreshRate", window);
    if (record == nullptr) return;
    record->RefreshRate = rate;
    // The thread may be asleep for the old, longer period: it must see the new one now.
    refreshasleep = false;
    refreshsignal().signal();
}

uint64_t imagesshown(uint8_t window) {
    return graphicnumber(window) ? imagesdrawn[window].load() : 0;
}

void t_WindowAutoUpdateProcess() {
    logline("t_WindowAutoUpdateProcess: Start.");
    if (threadnumber() > 2) namethread("t_WindowAutoUpdate");
    framework.autoupdaterunning = true;
    while (framework.frameworkready && framework.autoupdaterunning) {
        const uint64_t changes = picturechanges.load();
        refreshpass(changes);
        // Sleeps until a window's turn rather than polling: a pass costs little, but a thousand
        // passes a second keep a core awake while the program waits for a key.
        sleepuntilturn(changes);
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
    notepictureshown(window);
    t_Image& image = viewimages[static_cast<size_t>(window)];
    if (!t_WindowImage(static_cast<uint8_t>(window), image)) return;
    recordframe(window, image);
    draw(image.Pixels.data(), static_cast<int>(image.Width), static_cast<int>(image.Height));
    ++imagesdrawn[static_cast<size_t>(window)];
}

void viewdrawstarted(int window) { setverticalblank(window, false); }
void viewdrawfinished(int window) { setverticalblank(window, true); }

}  // namespace hostcalls
