// Video memory and framework initialisation.
#pragma once

// Once, on whichever thread first needs the framework: window table, 16 MB of video memory
// filled with 0xFF, the pasteboard text view; later calls return at once.
void t_InitMemory();

// Starts filling the video memory on a thread of its own, so that the 16 MB (thousands of page
// faults) are ready when the program's first window asks for them; t_InitMemory takes the
// prepared memory over, waiting for it if need be. Once; later calls do nothing.
void preparevideomemory();
