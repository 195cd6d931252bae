// The one clock behind every time field: the host's absolute time, counted from 1 January 2001.
#pragma once

#include <cstdint>

int64_t nowmilliseconds();  // seconds since 2001-01-01 x 1000, truncated
int64_t nowmicroseconds();  // the same clock in microseconds, for durations
// Whether `then` lies less than `interval` ms before `now`. A `then` after `now` (the clock was
// set back) is not: a rate limit would otherwise hold until the clock caught up.
bool withininterval(int64_t then, int64_t now, int64_t interval);
