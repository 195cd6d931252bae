// The program's random numbers: one generator, seeded from the clock at the start, from
// --seed=N on the command line or by t_Randomize, so that a run with a seed repeats exactly.
// The numbers are made from the generator's raw 64-bit output by our own arithmetic rather
// than the standard library's distributions, whose results differ between implementations.
#include <chrono>
#include <limits>
#include <mutex>
#include <random>
#include <string>

#include "core/report.h"

namespace {

// Any thread may draw; the mutex keeps the sequence whole.
struct t_RandomState {
    std::mutex mutex;
    std::mt19937_64 engine{static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())};
};

t_RandomState& randomstate() {
    static auto* state = new t_RandomState;  // never destroyed: threads may draw while the process exits
    return *state;
}

}  // namespace

void t_Randomize(int64_t seed) {
    t_RandomState& state = randomstate();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.engine.seed(static_cast<uint64_t>(seed));
}

double t_Random() {
    t_RandomState& state = randomstate();
    std::lock_guard<std::mutex> lock(state.mutex);
    // The top 53 bits fill a double's mantissa exactly: every value is a multiple of 2^-53
    // below 1, and 1 itself can never come out.
    return static_cast<double>(state.engine() >> 11) * 0x1.0p-53;
}

int64_t t_RandomInt(int64_t n) {
    if (n < 1) {
        reportfailure("t_RandomInt", "Range " + std::to_string(n) + " is not positive.");
        return 0;
    }
    const auto range = static_cast<uint64_t>(n);
    // 2^64 mod range raw values at the bottom would make the low results more likely than the
    // high ones: they are drawn again (at worst half of all draws, on average far fewer).
    const uint64_t rejected = (0 - range) % range;
    t_RandomState& state = randomstate();
    std::lock_guard<std::mutex> lock(state.mutex);
    uint64_t raw = state.engine();
    while (raw < rejected) raw = state.engine();
    return static_cast<int64_t>(raw % range);
}
