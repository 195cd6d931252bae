#include "core/wake_signal.h"

#include <algorithm>

namespace {

// Never destroyed: a program thread may still sleep in it while the process exits.
t_WakeSignal& eventsignal() {
    static auto* signal = new t_WakeSignal;
    return *signal;
}

// The longest sleep between two tests of a waiter's condition.
constexpr std::chrono::milliseconds eventrecheck{100};
// An idle update thread looks at its flags this often even unwoken (flags cleared without
// wake() are still noticed); rare enough to cost nothing.
constexpr std::chrono::milliseconds updaterecheck{1000};

}  // namespace

uint64_t t_WakeSignal::current() {
    std::lock_guard<std::mutex> lock(mutex);
    return signals;
}

void t_WakeSignal::signal() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++signals;
    }
    changed.notify_all();
}

bool t_WakeSignal::waitchange(uint64_t seen, std::chrono::microseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, timeout, [&] { return signals != seen; });
}

void t_UpdateSleep::notechange() {
    if (asleep.load() && asleep.exchange(false)) signal.signal();
}

void t_UpdateSleep::wake() {
    asleep = false;
    signal.signal();
}

void t_UpdateSleep::betweenpasses(const std::atomic<bool>& changed, const std::atomic<bool>& running,
                                  int64_t waitms) {
    // The count is taken before the flags are read: a change or stop after the read ends the wait.
    const uint64_t seen = signal.current();
    if (changed) {
        // Writers do not wake this sleep: a stream of prints would otherwise wake it once each.
        const int64_t rest = std::clamp<int64_t>(waitms, 1, updaterecheck.count());
        if (running) signal.waitchange(seen, std::chrono::milliseconds(rest));
        return;
    }
    asleep = true;  // before the second look, so that a change after it signals
    if (!changed && running) signal.waitchange(seen, updaterecheck);
    asleep = false;
}

void wakeeventwaiters() { eventsignal().signal(); }

void waitforevents(const std::function<bool()>& ready) {
    // The count is taken before the test: an event appended between the two ends the sleep at once.
    for (uint64_t seen = eventsignal().current(); !ready(); seen = eventsignal().current())
        eventsignal().waitchange(seen, eventrecheck);
}
