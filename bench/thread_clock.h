// The clock every benchmark measures with: CPU time of the calling thread, so that other
// processes on a shared machine do not count against the code being measured.
#pragma once

#include <ctime>

inline double cpuseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The best per-call CPU time of five rounds of `calls` calls: the least disturbed round is the
// nearest to what the code itself costs.
template <typename Job>
double secondsper(Job job, int calls) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = cpuseconds();
        for (int i = 0; i < calls; ++i) job();
        const double each = (cpuseconds() - start) / calls;
        if (each < best) best = each;
    }
    return best;
}
