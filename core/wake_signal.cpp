#include "core/wake_signal.h"

namespace {

// Never destroyed: a program thread may still sleep in it while the process exits.
t_WakeSignal& eventsignal() {
    static auto* signal = new t_WakeSignal;
    return *signal;
}

// The longest sleep between two tests of a waiter's condition.
constexpr std::chrono::milliseconds eventrecheck{100};

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

void wakeeventwaiters() { eventsignal().signal(); }

void waitforevents(const std::function<bool()>& ready) {
    // The count is taken before the test: an event appended between the two ends the sleep at once.
    for (uint64_t seen = eventsignal().current(); !ready(); seen = eventsignal().current())
        eventsignal().waitchange(seen, eventrecheck);
}
