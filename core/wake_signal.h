// Sleeps that another thread can cut short: the key read and the output pause wake when an
// event arrives, the refresh thread when pixels change. No fixed polling interval, so a waiting
// program costs no CPU and answers a key at once.
#pragma once

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

// --- events (key, menu) ---------------------------------------------------------------------
void wakeeventwaiters();  // after an event was appended; cheap, any thread, any lock held
// Returns when ready() holds, testing it after every event and at least every 100 ms (a
// flag changed without an append is noticed that way). Call it without the framework lock.
void waitforevents(const std::function<bool()>& ready);
