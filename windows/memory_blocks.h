// The block allocator of video memory: blocks are stacked from the top down in 1024-byte steps
// above the reserved lowest 64 KB. Every function expects the caller to hold the framework lock.
#pragma once

#include <cstdint>
#include <string>

int64_t memoryavailable();                     // bytes below highmemory that a block may still use
int64_t blockstartfor(int64_t size);           // where a block of size would start; -1 when it does not fit
// Takes the block (start .. old highmemory); -1 when it does not fit. Its first `zeros` bytes
// are 0 afterwards (untouched where they can be), the rest of it 0xFF where never used before.
int64_t placeblock(int64_t size, int64_t zeros = 0);
// Frees the window's blocks and moves the blocks of every window below them up into the gap,
// logging each step after prefix. The window is left uninitialised without blocks.
void freewindowblocks(uint8_t window, const std::string& prefix);
