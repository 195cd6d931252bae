// The display refresh: the refresh thread and forced redraws.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>

void t_WindowAutoUpdateProcess();                    // body of the refresh thread; runs for the process's life
uint64_t imagesshown(uint8_t window);                // images the window's view has drawn so far

// --- for the framework's own pixel code (the caller holds the framework lock) ---------------
// Pixels in video memory changed: an auto-updating view redraws at once when a period has
// passed since its last redraw, else when it has.
void notepicturechange();
