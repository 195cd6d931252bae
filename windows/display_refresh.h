// The display refresh: the refresh thread and forced redraws.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>

void t_WindowAutoUpdateProcess();                    // body of the refresh thread; runs for the process's life
uint64_t imagesshown(uint8_t window);                // images the window's view has drawn so far

// --- for the framework's own pixel code (the caller holds the framework lock) ---------------
// Pixels in video memory changed. Every writer of pixels calls it; the refresh rule it feeds:
// - an auto-updating window whose picture changed is redrawn as soon as one period (1000 div
//   RefreshRate ms) has passed since its last redraw: at once (1 ms later, so the writer's burst
//   is finished) after a quiet spell, once a period under continuous drawing;
// - UpdateStarted advances every period whether or not the picture changed, and UpdateFinished
//   with it when there was nothing to draw, so a program may wait on them as on a frame signal;
// - RefreshRate 0 (or below) redraws in every pass of the refresh thread, at most one a ms;
// - an unchanged picture is drawn again once a second all the same.
void notepicturechange();
