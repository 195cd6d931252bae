#include "core/application_end.h"

#include <atomic>

#include "core/framework_state.h"
#include "core/wake_signal.h"

namespace {

// Never destroyed: a program thread may still sleep in it while the process exits.
t_WakeSignal& quitsignal() {
    static auto* signal = new t_WakeSignal;
    return *signal;
}

}  // namespace

bool applicationquitting() { return framework.quitting; }

void noteapplicationquit() {
    framework.quitting = true;
    quitsignal().signal();
    wakeeventwaiters();  // key and line input wait on events and look at the flag too
}

void resetquitfortests() { framework.quitting = false; }

bool sleepunlessquit(std::chrono::microseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    // The count is taken before the flag is read: a quit after the read ends the sleep.
    for (uint64_t seen = quitsignal().current(); !framework.quitting; seen = quitsignal().current()) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) return true;
        quitsignal().waitchange(seen, std::chrono::duration_cast<std::chrono::microseconds>(left) +
                                          std::chrono::microseconds(1));
    }
    return false;
}
