// Video memory and framework initialisation.
#pragma once

// Once, on whichever thread first needs the framework: window table, 16 MB of video memory
// filled with 0xFF, the pasteboard text view; later calls return at once.
void t_InitMemory();
