#include "recording/frame_delays.h"

int64_t delayuntil(t_DelayClock& clock, int64_t microseconds) {
    const int64_t elapsed = microseconds - clock.Origin;
    const int64_t end = elapsed < 0 ? 0 : (elapsed + 5000) / 10000;
    if (end <= clock.Written) return 0;
    const int64_t delay = end - clock.Written;
    clock.Written = end;
    return delay;
}
