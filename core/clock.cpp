#include "core/clock.h"

#include <atomic>
#include <chrono>

namespace {
// Seconds between the Unix epoch and 1 January 2001 00:00 UTC.
constexpr int64_t epoch2001 = 978307200;
std::atomic<int64_t> wallshift{0};  // microseconds; tests only
}

int64_t nowmicroseconds() {
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since1970).count() - epoch2001 * 1000000 + wallshift.load();
}

int64_t nowmilliseconds() { return nowmicroseconds() / 1000; }

int64_t steadymicroseconds() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

int64_t steadymilliseconds() { return steadymicroseconds() / 1000; }

bool withininterval(int64_t then, int64_t now, int64_t interval) { return now >= then && now - then < interval; }

void shiftwallclockfortests(int64_t milliseconds) { wallshift = milliseconds * 1000; }
