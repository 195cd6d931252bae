#include "windows/video_memory.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/events.h"
#include "core/framework_state.h"
#include "core/report.h"
#include "host/host.h"
#include "windows/display_refresh.h"

void fillvideomemorydownto(int64_t start, int64_t zeros) {
    start = std::max<int64_t>(start, 0);
    const int64_t filled = framework.videomemoryfilled;
    if (start >= filled || framework.videomemory.empty()) return;
    const int64_t zeroend = std::min(start + std::max<int64_t>(zeros, 0), filled);
    std::memset(framework.videomemory.data() + zeroend, 0xFF, static_cast<size_t>(filled - zeroend));
    framework.videomemoryfilled = start;
}

void t_InitMemory() {
    if (framework.memoryinitialized.exchange(true)) return;
    logline("t_InitMemory: Start.");
    if (threadnumber() == 2) namethread("Main Program");
    // Untouched pages: 0xFF is written block by block as windows are placed.
    std::vector<uint8_t, t_UntouchedAllocator<uint8_t>> memory(static_cast<size_t>(videomemorysize));
    {
        FrameworkLock lock;
        framework.highmemory = videomemorytop;
        framework.videomemory.swap(memory);
        framework.videomemoryfilled = videomemorysize;
        fillvideomemorydownto(videomemorytop + 1);  // the bytes above the highest block
        notepicturechange();
        for (uint8_t window = 0; window < windowcount; ++window) forgetpixelspan(window);  // spans of another memory
        framework.windows = {};
    }
    // Framework commands behind menu tags: the window commands 200-231, then 110-115, then zoom.
    for (int64_t tag = 200; tag <= 231; ++tag) appendmenuaction({tag, tag, "", "", "", "", ""});
    for (int64_t tag = 110; tag <= 115; ++tag) appendmenuaction({tag, tag, "", "", "", "", ""});
    for (int64_t tag = 232; tag <= 234; ++tag) appendmenuaction({tag, tag, "", "", "", "", ""});
    // The desktop adds no menu items of its own here (no dictation, emoji or tiling entries),
    // so there is nothing to remove from the menus.
    host::settextviewfont(pasteboardwindow, "Menlo", 12);
    host::settextviewtext(pasteboardwindow, "");
    framework.frameworkready = true;
    logline("t_InitMemory: End.");
}

void waitforframework() {
    if (!framework.memoryinitialized) t_InitMemory();
    // t_InitMemory returns at once when another thread has begun it; that thread may still be
    // filling the window table and video memory, which would wipe blocks placed meanwhile.
    while (!framework.frameworkready) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}
