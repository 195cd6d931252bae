// The display refresh: the refresh thread and forced redraws.
#pragma once

#include <cstdint>

void t_WindowAutoUpdateProcess();                    // body of the refresh thread; runs for the process's life
void t_WindowUpdate(uint8_t window, bool deferred);  // deferred: at the next display pass; else at once

// --- for the framework's own pixel code (the caller holds the framework lock) ---------------
void notepicturechange();  // pixels in video memory changed: auto-updating views redraw at their next period
