// Sleeps that another thread can cut short: the key read and the output pause wake when an
// event arrives, the refresh thread when pixels change. No fixed polling interval, so a waiting
// program costs no CPU and answers a key at once.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

class t_WakeSignal {
public:
    // The number of signals so far; take it before testing the condition you will wait on.
    uint64_t current();
    // Wakes every thread sleeping in waitchange.
    void signal();
    // Sleeps until a signal after `seen` or until the timeout; answers whether signalled.
    bool waitchange(uint64_t seen, std::chrono::microseconds timeout);

private:
    std::mutex mutex;
    std::condition_variable changed;
    uint64_t signals = 0;
};

// The sleep of an update thread that copies a written buffer into its view at most every
// interval: with nothing changed it sleeps until a writer notes a change, with a change waiting
// for its interval it sleeps out the rest; a stop ends either sleep. Noting a change costs one
// atomic load while the thread is awake, so a writer in a tight loop pays next to nothing.
class t_UpdateSleep {
public:
    void notechange();  // after setting the change flag; any thread, any lock held
    void wake();        // after clearing the running flag: ends the sleep at once
    // Between two passes of the update thread. `waitms`: what is left of the interval since the
    // last update (used only while `changed` is set).
    void betweenpasses(const std::atomic<bool>& changed, const std::atomic<bool>& running, int64_t waitms);

private:
    t_WakeSignal signal;
    std::atomic<bool> asleep{false};  // waiting for a change: the next change must signal
};

// --- events (key, menu) ---------------------------------------------------------------------
void wakeeventwaiters();  // after an event was appended; cheap, any thread, any lock held
// Returns when ready() holds, testing it after every event and at least every 100 ms (a
// flag changed without an append is noticed that way). Call it without the framework lock.
void waitforevents(const std::function<bool()>& ready);
