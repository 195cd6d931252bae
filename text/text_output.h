// Text output at the cursor, control characters, display modes and cursor movement.
// Columns and lines count from 1. Out-of-range positions are ignored without a message.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What t_ApplyDisplayMode decided for one character code.
struct t_DisplayModeResult {
    int64_t Code = 0;     // code to draw; -1 nothing to draw; -2 the window check failed
    bool Inverse = false; // TextInverse to write back after drawing
    uint8_t Colour = 0;   // TextColor to write back after drawing
};

// --- printing ---------------------------------------------------------------------------------
void t_Print(uint8_t window, const std::string& text);           // UTF-8; scalars above 255 print "?"
void t_Print(uint8_t window, const std::vector<uint8_t>& bytes); // each byte one character code
void t_PrintChar(uint8_t window, uint8_t character);  // through the display mode, never a control
void t_PrintControl(uint8_t window, uint8_t code);    // executes one control character
t_DisplayModeResult t_ApplyDisplayMode(uint8_t window, int64_t character);  // (-2, false, 0xF0) on failure
void t_DisplayMode(uint8_t window, int64_t mode);     // 0-4, 99 escape; any value is stored
void t_PrintTab(uint8_t window, int64_t column, uint8_t fill);  // fill up to the column; nothing if at/left of it

// --- cursor -------------------------------------------------------------------------------------
void t_Htab(uint8_t window, int64_t column);  // column counted from the area's first column
void t_Vtab(uint8_t window, int64_t line);    // absolute line of the screen
void t_CursorHome(uint8_t window);            // first column and line of the area
void t_CursorEnd(uint8_t window);             // last column and line of the area
void t_Cr(uint8_t window);                    // first column of the next line, scrolling at the bottom
void t_CursorUp(uint8_t window);              // scrolls down at the area's first line
void t_CursorDown(uint8_t window);            // scrolls up at the area's last line
void t_CursorLeft(uint8_t window);            // wraps to the end of the line above
void t_CursorRight(uint8_t window);           // wraps to the start of the next line

// --- scrolling and clearing ------------------------------------------------------------------------
void t_ScrollUp(uint8_t window);          // area one line up, last line blank; nothing with ScrollLock
void t_ScrollDown(uint8_t window);        // area one line down, first line blank; nothing with ScrollLock
void t_ClearEndOfLine(uint8_t window);    // from the cursor to the area's last column
void t_ClearEndOfWindow(uint8_t window);  // from the cursor to the end of the area

// --- output pause ----------------------------------------------------------------------------------
// Ctrl-S pause: true when the most recent queued key was key (the queue is then emptied); with
// wait it then sleeps until a key or a menu choice arrives, using up that key.
bool outputpausecheck(int64_t key, bool wait);
