// The display refresh: the refresh thread and forced redraws.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>

void t_WindowAutoUpdateProcess();                    // body of the refresh thread; runs for the process's life

// --- for the framework's own pixel code (the caller holds the framework lock) ---------------
void notepicturechange();  // pixels in video memory changed: auto-updating views redraw at their next period
