// The display refresh: the refresh thread and forced redraws.
#pragma once

#include <stangenspiel/stangenspiel.h>

#include <cstdint>

void t_WindowAutoUpdateProcess();                    // body of the refresh thread; runs for the process's life
uint64_t imagesshown(uint8_t window);                // pictures the window's view has drawn so far

// --- for the framework's own pixel code (the caller holds the framework lock) ---------------
// The refresh marks every auto-updating window once a period (1000 div RefreshRate ms; every
// pass of the thread, at most one a ms, for RefreshRate 0 or below). A mark costs nothing when
// the window's picture cannot have changed since its view last drew it: no change noted and no
// span of its pixels held by the program. A changed picture after such quiet marks is shown at
// once (1 ms later, so the writer's burst is finished) rather than at the next mark; there is
// never more than one picture a period. These calls feed that rule:
void notepicturechange(uint8_t window);   // pixels of the window changed; cheap: g_Plot makes it per pixel
void notepicturechange();                 // pixels of every window may have changed (blocks moved)
// Pixels of [left, right) x [top, bottom) changed (clipped to the window): the view converts and
// paints that part alone. Written pixels must always be noted, a part or the whole.
void notepicturechange(uint8_t window, int64_t left, int64_t top, int64_t right, int64_t bottom);
void notepicturebytes(uint8_t window, int64_t first, int64_t last);  // video memory bytes first..last: their rows
void notewaitingforinput();               // the program waits for a key: its burst of writes is over
void notepixelspanheld(uint8_t window);   // the program got a span of the pixels and may write at any time
void forgetpixelspan(uint8_t window);     // the window's blocks moved or were freed: its span is void
