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
#include "graphics/plot.h"
#include "graphics/window_image.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "windows/refresh_wait.h"
#include "recording/recording.h"

namespace {

// Longest sleep of the refresh thread: a window that joins the marks by a change of its record
// the thread is not told of waits at most this long.
constexpr int64_t longestidle = 50;
// Shortest sleep after a pass that handed nothing to the views: such a pass costs next to
// nothing, and a window of RefreshRate 0 would turn it into a busy loop.
constexpr int64_t shortestidle = 1;
// After a quiet spell the first change is drawn this long after it arrives: a program answers
// a key with a burst of writes (the cursor cell, then its reply), and one frame shows them all.
// A program that goes back to waiting for a key has finished its burst: that ends the wait early.
constexpr auto settletime = std::chrono::microseconds(1000);
// Before a window's first mark: its period has long passed.
constexpr int64_t never = INT64_MIN / 2;

// What may have changed a window's picture. Writers hold the framework lock; atomic all the
// same, so that the program writing through its span is no data race for the flags.
struct t_PictureState {
    std::atomic<uint64_t> Changes{0};       // pixel writes noted
    std::atomic<bool> SpanHeld{false};      // the program holds a span of the pixels
    std::atomic<bool> WakeOnChange{false};  // the refresh thread sleeps on a quiet picture
};
std::array<t_PictureState, windowcount> pictures;

// The change count the view's last picture was made from, and what changed since: the view
// converts only that part into the picture it keeps. Guarded by the framework lock.
struct t_Shown {
    uint64_t Changes = 0;
    bool Ever = false;
    host::t_PixelArea Changed;  // pixels written since the last picture, within the window
    bool Whole = true;          // a change of unknown extent, or no picture kept yet
    bool Unpainted = false;     // Changed is in the picture but not yet on the screen
    // What the kept picture was made of: a window made again differently is converted whole.
    int64_t Width = 0, Height = 0, BitDepth = 0, MemoryStart = -1;
};
std::array<t_Shown, windowcount> shown;

// The refresh thread's own schedule, in steady milliseconds. Refresh thread only.
struct t_Schedule {
    int64_t Marked = never;  // last mark
    int64_t Handed = never;  // last mark handed to the view: a picture was made for it
    bool ViewFound = false;  // views live as long as the event loop, so a found view stays found
};
std::array<t_Schedule, windowcount> schedule;

// The refresh thread sleeps on this; a change of a quiet picture, a new rate or a new window
// wakes it.
t_WakeSignal& refreshsignal() {
    static auto* signal = new t_WakeSignal;  // never destroyed: the thread may sleep at exit
    return *signal;
}
// Given each time the program starts to wait for input.
t_WakeSignal& settledsignal() {
    static auto* signal = new t_WakeSignal;
    return *signal;
}

// One image buffer per view, reused from frame to frame. Used under the framework lock.
std::array<t_Image, windowcount> viewimages;
// Pictures each view has drawn: what a person saw, for tests and measurements.
std::array<std::atomic<uint64_t>, windowcount> imagesdrawn{};

bool graphicnumber(int window) { return window >= 0 && window < windowcount; }

int64_t periodof(const t_Window& w) { return w.RefreshRate > 0 ? 1000 / w.RefreshRate : 0; }

bool within(const host::t_PixelArea& inner, const host::t_PixelArea& outer) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

bool takespart(const t_Window& w) { return w.Initialized && w.AutoUpdate && w.VerticalBlank; }

// The part of the picture the view must convert and paint next. A span the program holds may
// have been written anywhere. Framework lock held.
host::t_PixelArea changedarea(int window, const t_Window& w) {
    const t_Shown& last = shown[static_cast<size_t>(window)];
    const bool whole = last.Whole || pictures[static_cast<size_t>(window)].SpanHeld.load() || last.Width != w.Width ||
                       last.Height != w.Height || last.BitDepth != w.BitDepth || last.MemoryStart != w.MemoryStart;
    return whole ? host::t_PixelArea{0, 0, w.Width, w.Height} : last.Changed;
}

// Whether the view would draw anything new: a hidden view draws nothing, and a shown one only
// what changed since its last picture, or what the program may have written through its span.
// Framework lock held.
bool picturemaydiffer(int window, const t_Window& w) {
    const t_PictureState& picture = pictures[static_cast<size_t>(window)];
    const t_Shown& last = shown[static_cast<size_t>(window)];
    return w.Visible &&
           (!last.Ever || last.Unpainted || last.Changes != picture.Changes.load() || picture.SpanHeld.load());
}

// The period check. A period counts from the last mark; a picture that changed after marks
// with nothing to draw counts it from the last picture instead, so that the change shows now
// and still no two pictures come closer than a period.
bool due(int window, const t_Window& w, int64_t now) {
    const t_Schedule& s = schedule[static_cast<size_t>(window)];
    const int64_t period = periodof(w);
    return now - s.Marked >= period || (now - s.Handed >= period && picturemaydiffer(window, w));
}

bool isdue(int window, int64_t now) {
    FrameworkLock lock;
    const t_Window& w = framework.windows[static_cast<size_t>(window)];
    return takespart(w) && due(window, w, now);
}

enum class t_Mark { Left, Quiet, Picture };

// Sets UpdateStarted and tells whether the view has a picture to make, and which part of it
// changed. The record may have changed while the view was looked up.
t_Mark mark(int window, host::t_PixelArea& area, int64_t& width, int64_t& height) {
    FrameworkLock lock;
    t_Window& w = framework.windows[static_cast<size_t>(window)];
    if (!takespart(w)) return t_Mark::Left;
    t_Schedule& s = schedule[static_cast<size_t>(window)];
    s.Marked = steadymilliseconds();
    w.UpdateStarted = nowmilliseconds();
    if (!picturemaydiffer(window, w)) return t_Mark::Quiet;
    s.Handed = s.Marked;
    area = changedarea(window, w);
    width = w.Width;
    height = w.Height;
    return t_Mark::Picture;
}

// The one place where a frame passes for a window: its view drew a picture, or it was marked
// with a picture that could not have changed. Any thread, any lock.
void framepassed(int window) { notepictureshown(window); }  // the program's frame wait counts it

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
    if (current.size() >= buffer.size()) return;
    current.swap(buffer);
    shown[static_cast<size_t>(window)].Whole = true;  // the fresh buffer holds no picture
}

// One pass over the windows: the period check, the view (looked up on the GUI thread until it is
// found), UpdateStarted, the mark. A mark with a picture to make goes to the view; a quiet one
// ends here, since the view would convert and paint the same picture again. Answers whether a
// mark went to a view.
bool refreshpass() {
    bool handed = false;
    const int64_t now = steadymilliseconds();
    for (int window = 0; window < windowcount; ++window) {
        if (!isdue(window, now)) continue;
        t_Schedule& s = schedule[static_cast<size_t>(window)];
        if (!s.ViewFound && !(s.ViewFound = host::viewexists(window))) {
            logline("t_WindowAutoUpdateProcess: Window #" + std::to_string(window) + " view is nil, resource undefined.");
            continue;
        }
        host::t_PixelArea area;
        int64_t width = 0, height = 0;
        const t_Mark marked = mark(window, area, width, height);
        if (marked == t_Mark::Quiet) framepassed(window);
        if (marked != t_Mark::Picture) continue;
        prepareimage(window);
        host::markviewarea(window, area, width, height);
        handed = true;
    }
    return handed;
}

// Milliseconds until the next window is due (0 or less: one is). A change of a shown, quiet
// picture makes its window due at once: that window's wake is armed, so the change ends the
// sleep. Any other change waits for its window's mark, which is due by then anyway.
int64_t idletime() {
    FrameworkLock lock;
    const int64_t now = steadymilliseconds();
    int64_t wait = longestidle;
    for (int window = 0; window < windowcount; ++window) {
        const t_Window& w = framework.windows[static_cast<size_t>(window)];
        const t_Schedule& s = schedule[static_cast<size_t>(window)];
        const bool differs = picturemaydiffer(window, w);
        pictures[static_cast<size_t>(window)].WakeOnChange = takespart(w) && w.Visible && !differs;
        if (!w.Initialized || !w.AutoUpdate) continue;
        if (!w.VerticalBlank) wait = std::min<int64_t>(wait, 1);  // window 0's view is drawing
        wait = std::min(wait, s.Marked + periodof(w) - now);
        if (differs) wait = std::min(wait, s.Handed + periodof(w) - now);
    }
    return wait;
}

// Sleeps until the next window is due, or a quiet picture changes (then for settletime more,
// so that the writer's burst is finished, unless the writer says so sooner).
void sleepuntilturn(bool handed) {
    const uint64_t seen = refreshsignal().current();  // a wake from here on ends the sleep at once
    // Taken before the change: the program may finish its burst before this thread is awake.
    const uint64_t settled = settledsignal().current();
    const int64_t wait = std::max(idletime(), handed ? int64_t{0} : shortestidle);
    if (wait > 0 && refreshsignal().waitchange(seen, std::chrono::milliseconds(wait)))
        settledsignal().waitchange(settled, settletime);
    for (t_PictureState& picture : pictures) picture.WakeOnChange = false;
}

void wakerefresh() { refreshsignal().signal(); }

// Only window 0 tells the program when its picture is being copied to the screen.
void setverticalblank(int window, bool value) {
    if (window != 0) return;
    FrameworkLock lock;
    framework.windows[0].VerticalBlank = value;
}

}  // namespace

void notewaitingforinput() { settledsignal().signal(); }

void notepicturechange(uint8_t window) {
    if (window >= windowcount) return;
    shown[window].Whole = true;
    t_PictureState& picture = pictures[window];
    picture.Changes.fetch_add(1);
    if (picture.WakeOnChange.load() && picture.WakeOnChange.exchange(false)) wakerefresh();
}

void notepicturechange(uint8_t window, int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (window >= windowcount) return;
    const t_Window& w = framework.windows[window];
    host::t_PixelArea& changed = shown[window].Changed;
    left = std::max<int64_t>(left, 0), top = std::max<int64_t>(top, 0);
    right = std::min(right, w.Width), bottom = std::min(bottom, w.Height);
    if (left >= right || top >= bottom) return;
    if (changed.empty()) changed = {left, top, right, bottom};
    else changed = {std::min(changed.Left, left), std::min(changed.Top, top), std::max(changed.Right, right),
                    std::max(changed.Bottom, bottom)};
    t_PictureState& picture = pictures[window];
    picture.Changes.fetch_add(1);
    if (picture.WakeOnChange.load() && picture.WakeOnChange.exchange(false)) wakerefresh();
}

void notepicturebytes(uint8_t window, int64_t first, int64_t last) {
    if (window >= windowcount) return;
    const t_Window& w = framework.windows[window];
    const int64_t rowbytes = graphicrowbytes(w.BitDepth, w.Width);
    if (rowbytes <= 0 || last < first) return;
    const int64_t top = (first - w.MemoryStart) / rowbytes, bottom = (last - w.MemoryStart) / rowbytes + 1;
    notepicturechange(window, 0, std::max<int64_t>(top, 0), w.Width, bottom);
}

void notepicturechange() {
    for (uint8_t window = 0; window < windowcount; ++window) notepicturechange(window);
}

void notepixelspanheld(uint8_t window) {
    if (window < windowcount) pictures[window].SpanHeld = true;
}

void forgetpixelspan(uint8_t window) {
    if (window < windowcount) pictures[window].SpanHeld = false;
}

void t_WindowRefreshRate(uint8_t window, int64_t rate) {
    FrameworkLock lock;
    t_Window* record = windowguard("t_WindowRefreshRate", window);
    if (record == nullptr) return;
    record->RefreshRate = rate;
    wakerefresh();  // the thread may be asleep for the old, longer period
}

uint64_t imagesshown(uint8_t window) { return graphicnumber(window) ? imagesdrawn[window].load() : 0; }


void t_WindowAutoUpdateProcess() {
    logline("t_WindowAutoUpdateProcess: Start.");
    if (threadnumber() > 2) namethread("t_WindowAutoUpdate");
    framework.autoupdaterunning = true;
    while (framework.frameworkready && framework.autoupdaterunning) sleepuntilturn(refreshpass());
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

void viewimage(int window, const t_ImageSink& draw, host::t_PixelArea* painted) {
    if (!graphicnumber(window) || !framework.frameworkready) return;
    FrameworkLock lock;  // held while the view draws, so the buffer cannot change under it
    t_Image& image = viewimages[static_cast<size_t>(window)];
    const uint64_t changes = pictures[static_cast<size_t>(window)].Changes.load();
    const t_Window& w = framework.windows[static_cast<size_t>(window)];
    const host::t_PixelArea area = w.Initialized ? changedarea(window, w) : host::t_PixelArea{};
    if (!t_WindowImage(static_cast<uint8_t>(window), image, &area)) return;
    shown[static_cast<size_t>(window)] = {changes, true, {}, false, false, w.Width, w.Height, w.BitDepth, w.MemoryStart};
    recordframe(window, image);
    draw(image.Pixels.data(), static_cast<int>(image.Width), static_cast<int>(image.Height));
    ++imagesdrawn[static_cast<size_t>(window)];
    framepassed(window);
    // Changes made after the paint was asked for, outside what it covers: the next period's
    // picture paints them, so that there is still one picture a period.
    t_Shown& last = shown[static_cast<size_t>(window)];
    if (painted != nullptr && !area.empty() && !within(area, *painted)) {
        last.Changed = area;
        last.Unpainted = true;
    }
}

void viewdrawstarted(int window) { setverticalblank(window, false); }
void viewdrawfinished(int window) { setverticalblank(window, true); }

}  // namespace hostcalls
