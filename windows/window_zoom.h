// Zoom and full screen: how large a graphic window's picture stands on the screen. They are
// properties of the view: video memory, the window record and every coordinate the program uses
// stay in the window's own pixels; only the frame on the screen grows (the rule is written in the
// public header, above t_WindowZoom).
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>
#include <string>

#include "host/host.h"

constexpr int64_t largestzoom = 8;
// A frame is never zoomed beyond this many screen pixels a side: it is what the desktop's window
// system and its image buffers still draw, whatever the screen.
constexpr int64_t largestzoomedside = 16384;

void setstartingzoom(int64_t factor);  // --zoom: the factor windows start at; before the launch
void resetzoomfortests();              // every window back to the starting factor 1, windowed

// --- for placement and creation (the caller holds the framework lock) --------------------------
// The frame of a graphic window on the screen: its size and the height of its title bar, in
// screen pixels. While full screen, the screen it covers with no title bar.
struct t_FrameSize {
    int64_t Width = 0, Height = 0, Title = 0;
};
t_FrameSize zoomedframesize(uint8_t window, const t_Window& w);

// The frame at (x, y) around a drawing area of width x height at the window's factor, and the
// view inside it (window coordinates, origin lower left).
struct t_ZoomedFrame {
    host::t_Frame Frame, View;
};
t_ZoomedFrame zoomedframe(uint8_t window, const t_Window& w, int64_t x, int64_t y, int64_t width, int64_t height);

// At creation, once the record is set: a window shown for the first time takes the starting
// factor, and a factor at which its frame would pass largestzoomedside is lowered, with a line.
void settlezoom(uint8_t window, const t_Window& w, const std::string& prefix);

// --- for placement and events (they take the lock themselves) -------------------------------
// A click at (x, y) in the host window, in screen pixels with the origin at the lower left,
// becomes the position in the window's own pixels that the click arithmetic expects. At factor 1
// the position passes unchanged.
void zoomedclick(uint8_t window, double& x, double& y);
// t_WindowSize of a full-screen window: -1 arguments keep the frame it returns to, which becomes
// the one given; the picture is laid out anew. False when the window is not full screen.
bool sizewhilefullscreen(uint8_t window, int64_t x, int64_t y, int64_t width, int64_t height);
bool isfullscreen(uint8_t window);

// --- for the menu commands (GUI thread) ---------------------------------------------------------
// One step in (+1) or out (-1), or full screen on and off, for the window; false after the reason
// (a line beginning with operation, or none where nothing can apply) so the menu sounds the alert.
bool zoomwindowby(const char* operation, uint8_t window, int64_t step);
bool togglefullscreen(const char* operation, uint8_t window);
