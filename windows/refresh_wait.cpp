// t_WaitRefresh: the program's vertical blank. A program draws a frame, waits for the view to
// take it to the screen, then draws the next, so animation runs at the refresh rate without
// tearing and without a busy loop. The wait is bounded: a window that shows no pictures
// (hidden, minimised, not auto-updating) never holds the program for long.
#include "windows/refresh_wait.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>

#include "core/application_end.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "core/wake_signal.h"

namespace {

std::array<std::atomic<uint64_t>, windowcount> shown{};

// Never destroyed: the program thread may still wait on it while the process exits.
t_WakeSignal& shownsignal() {
    static auto* signal = new t_WakeSignal;
    return *signal;
}

// How long a picture may be late before the wait gives up on it, beyond one period.
constexpr std::chrono::milliseconds grace{1000};
// The wait looks at the application's end at least this often.
constexpr std::chrono::milliseconds quitcheck{20};

std::chrono::milliseconds periodof(const t_Window& w) {
    return std::chrono::milliseconds(w.RefreshRate > 0 ? std::clamp<int64_t>(1000 / w.RefreshRate, 1, 1000) : 1);
}

// Until the count passes `before`, the deadline passes or the application quits.
void waitforpicture(uint8_t window, uint64_t before, std::chrono::steady_clock::time_point deadline) {
    for (uint64_t seen = shownsignal().current(); shown[window] == before && !applicationquitting();
         seen = shownsignal().current()) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return;
        shownsignal().waitchange(seen, std::min<std::chrono::microseconds>(
                                           std::chrono::duration_cast<std::chrono::microseconds>(left), quitcheck));
    }
}

}  // namespace

void notepictureshown(int window) {
    if (window < 0 || window >= windowcount) return;
    ++shown[static_cast<size_t>(window)];
    shownsignal().signal();
}

uint64_t picturesshown(uint8_t window) { return window < windowcount ? shown[window].load() : 0; }

void t_WaitRefresh(uint8_t window) {
    std::chrono::milliseconds period{};
    bool showing = false;
    uint64_t before = 0;
    {
        FrameworkLock lock;
        const t_Window* record = windowguard("t_WaitRefresh", window);
        if (!record) return;
        period = periodof(*record);
        showing = record->Visible && record->AutoUpdate;
        before = shown[window];
    }
    // The GUI thread needs the lock to paint the very picture we wait for.
    FrameworkUnlock unlocked;
    if (!showing) {
        // No picture will come: one period keeps an animation loop at its pace all the same.
        sleepunlessquit(period);
        return;
    }
    waitforpicture(window, before, std::chrono::steady_clock::now() + period + grace);
    // The view counts a picture as it begins to copy it, holding the lock until the copy is
    // done: taking the lock once lets that copy finish before the program draws its next frame.
    FrameworkLock settled;
}
