// The clock every benchmark measures with: CPU time of the calling thread, so that other
// processes on a shared machine do not count against the code being measured.
#pragma once

#include <ctime>

inline double cpuseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
