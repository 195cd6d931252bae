// Frame delays of an animated GIF from a steady clock. A GIF counts in centiseconds; frames
// arrive at any microsecond. Each delay runs to the frame's end rounded on the recording's own
// time line, so rounding never accumulates: the delays always add up to the recording's length
// rounded to the centisecond.
#pragma once

#include <cstdint>

struct t_DelayClock {
    int64_t Origin = 0;   // microseconds of the first frame
    int64_t Written = 0;  // centiseconds handed out so far
};

// The delay in centiseconds of the frame that ends at `microseconds`; 0 for an end before the
// last one (a clock never goes back, but a caller's arithmetic might).
int64_t delayuntil(t_DelayClock& clock, int64_t microseconds);
