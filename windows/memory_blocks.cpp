#include "windows/memory_blocks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/framework_state.h"
#include "core/report.h"
#include "core/text_utilities.h"
#include "windows/display_refresh.h"
#include "windows/video_memory.h"

namespace {

constexpr int64_t blockalignment = 1024;

struct t_BlockMove {
    int64_t* Start;  // record fields to update once the bytes have moved
    int64_t* End;
};

std::string range(int64_t start, int64_t end) { return hex8(start) + "..." + hex8(end); }

// Copies every block d bytes up. The highest block goes first: its target lies above every
// lower block, so no block is overwritten before it has moved itself.
void moveblocks(std::vector<t_BlockMove>& moves, int64_t d) {
    std::sort(moves.begin(), moves.end(), [](const t_BlockMove& a, const t_BlockMove& b) { return *a.Start > *b.Start; });
    uint8_t* memory = framework.videomemory.data();
    for (const t_BlockMove& move : moves) {
        if (*move.Start < 0 || *move.End + d > videomemorytop) continue;  // never written outside the memory
        std::memmove(memory + *move.Start + d, memory + *move.Start, static_cast<size_t>(*move.End - *move.Start + 1));
        *move.Start += d;
        *move.End += d;
    }
    notepicturechange();
}

}  // namespace

int64_t memoryavailable() { return framework.highmemory - reservedmemory; }

int64_t blockstartfor(int64_t size) {
    if (size < 0 || size > memoryavailable()) return -1;
    return (framework.highmemory - size + 1) & ~(blockalignment - 1);
}

int64_t placeblock(int64_t size, int64_t zeros) {
    const int64_t start = blockstartfor(size);
    if (start < 0) return start;
    zeros = std::clamp<int64_t>(zeros, 0, size);
    if (framework.videomemory.empty()) zeros = 0;
    // Zeros below the filled mark are untouched pages already; above it the bytes were used.
    const int64_t untouched = std::clamp<int64_t>(framework.videomemoryfilled - start, 0, zeros);
    if (zeros > untouched) std::memset(framework.videomemory.data() + start + untouched, 0, static_cast<size_t>(zeros - untouched));
    framework.highmemory = start - 1;
    fillvideomemorydownto(start, zeros);
    return start;
}

void freewindowblocks(uint8_t window, const std::string& prefix) {
    t_Window& freed = framework.windows[window];
    freed.Initialized = false;
    forgetpixelspan(window);  // a span handed out of a block that moves or goes is void
    const int64_t gend = freed.MemoryEnd;
    int64_t d = gend - freed.MemoryStart + 1;
    if (freed.MemoryStart < reservedmemory || d <= 0 || gend > videomemorytop) return;  // holds no block
    logline(prefix + " high memory = $" + hex8(gend) + ", graphic block size to delete = $" + hex8(d) + ".");
    if (freed.TextMemoryStart >= 0) {
        const int64_t t = freed.TextMemoryEnd - freed.TextMemoryStart + 1;
        logline(prefix + " high memory = $" + hex8(gend) + ", text block size to delete = $" + hex8(t) + ".");
        d += t;
    }
    std::vector<t_BlockMove> moves;
    for (int u = 0; u < windowcount; ++u) {
        t_Window& other = framework.windows[static_cast<size_t>(u)];
        if (u == window || !other.Initialized || other.MemoryStart >= gend) continue;
        logline(prefix + " moving graphic block for win #" + std::to_string(u) + " $" +
                range(other.MemoryStart, other.MemoryEnd) + " to " + range(other.MemoryStart + d, other.MemoryEnd + d));
        moves.push_back({&other.MemoryStart, &other.MemoryEnd});
        forgetpixelspan(static_cast<uint8_t>(u));
        if (other.TextMemoryStart >= 0) {
            logline(prefix + " moving text block for win #" + std::to_string(u) + " $" +
                    range(other.TextMemoryStart, other.TextMemoryEnd) + " to $" +
                    range(other.TextMemoryStart + d, other.TextMemoryEnd + d));
            moves.push_back({&other.TextMemoryStart, &other.TextMemoryEnd});
        }
    }
    moveblocks(moves, d);
    framework.highmemory += d;
    freed.MemoryStart = freed.MemoryEnd = -1;
    freed.TextMemoryStart = freed.TextMemoryEnd = -1;
}
