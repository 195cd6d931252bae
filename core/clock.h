// The two clocks. The wall clock is the host's absolute time, counted from 1 January 2001: the
// time fields a program reads. It may be set back or forward at any moment (a time correction),
// so whatever is scheduled or timed counts on the steady clock, which only goes forward.
#pragma once

#include <cstdint>

int64_t nowmilliseconds();     // wall clock: seconds since 2001-01-01 x 1000, truncated
int64_t nowmicroseconds();     // the same clock in microseconds
int64_t steadymilliseconds();  // steady clock, from an arbitrary start: for periods and timeouts
int64_t steadymicroseconds();  // the same in microseconds, for durations
// Whether `then` lies less than `interval` ms before `now`. A `then` after `now` (the clock was
// set back) is not: a rate limit would otherwise hold until the clock caught up.
bool withininterval(int64_t then, int64_t now, int64_t interval);

void shiftwallclockfortests(int64_t milliseconds);  // sets the wall clock off by that much, as a time correction would
