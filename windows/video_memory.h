// Video memory and framework initialisation.
#pragma once

#include <cstdint>

// Once, on whichever thread first needs the framework: window table, 16 MB of video memory
// (0xFF to whoever reads it; see fillvideomemorydownto), the pasteboard text view; later calls
// return at once.
void t_InitMemory();

// Makes sure the framework is ready: runs t_InitMemory if nobody has, and in any case returns
// only once it has finished (also when another thread is halfway through it).
void waitforframework();

// Fills the video memory from start up to what is filled already with 0xFF, but its first
// `zeros` bytes with 0: a block placed in memory never used before calls it, so that only the
// memory windows use is ever touched (the whole 16 MB would be thousands of page faults on the
// way to the first frame), and zeros asked for in untouched pages are not written at all: they
// stay unmapped until the program draws there. Under the lock.
void fillvideomemorydownto(int64_t start, int64_t zeros = 0);
