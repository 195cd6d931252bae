// Text output at the cursor, control characters, display modes and cursor movement.
// Columns and lines count from 1. Out-of-range positions are ignored without a message.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>
#include <vector>

// What t_ApplyDisplayMode decided for one character code.
struct t_DisplayModeResult {
    int64_t Code = 0;     // code to draw; -1 nothing to draw; -2 the window check failed
    bool Inverse = false; // TextInverse to write back after drawing
    uint8_t Colour = 0;   // TextColor to write back after drawing
};
t_DisplayModeResult t_ApplyDisplayMode(uint8_t window, int64_t character);  // (-2, false, 0xF0) on failure

// --- output pause ----------------------------------------------------------------------------------
// Ctrl-S pause: true when the most recent queued key was key (the queue is then emptied); with
// wait it then sleeps until a key or a menu choice arrives, using up that key.
bool outputpausecheck(int64_t key, bool wait);
